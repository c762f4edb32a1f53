#pragma once
#include <QPoint>
class Client;

// Where the player card of a seat's portrait goes on the screen: the left,
// opposite and right seats' cards start a third of the table apart near its
// top, the own seat's at the table's left edge lower down.
QPoint PlayerCardPlace(const Client& c, int seat);
// The pointer over the portrait of seat `index`: shows that seat's card
// unless a card shows already or nobody sits there.
void MainForm_Tou_MouseMove(Client& c, int index);
