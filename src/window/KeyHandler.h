#pragma once
#include <cstdint>
class Client;

// The key handler of the table surface; F1 is the boss key.
void MainForm_Pic1_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
// F1 in the chat box is the boss key too.
void MainForm_Chat_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
// A click on the table closes the side windows.
void MainForm_Pic1_Click(Client& c);
// Connects the table's keys and clicks to their procedures.
void ConnectKeyEvents(Client& c);
