#pragma once
#include <Qt>
class Client;

// A mouse button as the event procedures number it.
int ButtonNumber(Qt::MouseButton button);

// Connects the tile images, the claim buttons, the choice pictures and the
// table surface to the own seat's play procedures.
void ConnectHandPlayEvents(Client& c);
