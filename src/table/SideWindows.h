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
// Runs a side window's button procedure once the click's event is over, as
// the procedure may destroy the window; when the window is gone by then, or
// another stands in its place, the click is dropped.
void RunAfterClick(Client& c, QWidget* window, QWidget* (*current)(Client&), void (*procedure)(Client&));
// The text colour of a side window's label or list box.
void SetForeColor(QWidget& control, const QColor& color);
