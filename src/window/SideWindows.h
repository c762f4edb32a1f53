#pragma once
class Client;
class QColor;
class QWidget;

// Places a side window over the middle of the table window.
void CenterOnMainForm(Client& c, QWidget& window);
// The text colour of a side window's label or list box.
void SetForeColor(QWidget& control, const QColor& color);
