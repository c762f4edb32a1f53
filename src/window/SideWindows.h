#pragma once
class Client;
class QColor;
class QWidget;

// Places a side window over the middle of the table window.
void CenterOnMainForm(Client& c, QWidget& window);
// A side window lets the table show through: 200 of 255 opaque.
void MakeTranslucent(QWidget& window);
// Shows a side window above every other window, at (left, top) on the screen.
void ShowTopmost(QWidget& window, int left, int top);
// The text colour of a side window's label or list box.
void SetForeColor(QWidget& control, const QColor& color);
