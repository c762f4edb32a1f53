#pragma once
class Client;
class QWidget;

// Shows the chat log or the phrase window above every window, over the lower
// middle of the table: at 0.3 of the table's width and 0.66 of its height, or
// on the small screen at 0.22 and 0.6 of the table window's size from the table's corner.
void ShowOverTable(Client& c, QWidget& window);
