#pragma once
#include <cstdint>
class Client;

// The small screen's table picture Pic2 has the table surface's handlers as twins.

// A right click passes, as on the table.
void MainForm_Pic2_MouseUp(Client& c, int button, int shift, double x, double y);
// The table's keys; then the chat box takes the focus after every key but Esc.
void MainForm_Pic2_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
// A click closes the side windows, as on the table.
void MainForm_Pic2_Click(Client& c);
// Connects the small table picture's keys and clicks to their procedures.
void ConnectSmallTableEvents(Client& c);
