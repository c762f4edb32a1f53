#pragma once
class Client;
class QWidget;

// Places a side window over the middle of the table window.
void CenterOnMainForm(Client& c, QWidget& window);
