#pragma once
#include <cstdint>
#include <functional>
class Client;
class TableSurface;

// The key handler of the table surface: F1 the boss key, Esc the exit dialog,
// Alt and C one after the other the chat log. The scheduler presses F1 here
// when the time-outs in a row reach their limit.
void MainForm_Pic1_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
// In the chat box only F1 counts: the boss key.
void MainForm_Chat_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
// A click on the table closes the side windows.
void MainForm_Pic1_Click(Client& c);
// Hides the chat log, the phrase window, the score board, the hand list and
// the sound settings; each is created hidden when it does not exist yet.
void HideTableSideWindows(Client& c);
// The steps the table's key handlers share: the boss key, the exit dialog and
// the chord; returns false when the key was Esc, which ends the handler.
bool TableKeyDown(Client& c, int16_t keyCode);
// Hands the surface's key-downs to keyDown as key code and shift state.
void ConnectSurfaceKeys(TableSurface& surface, std::function<void(int16_t keyCode, int16_t shift)> keyDown);
// Connects the table surface's keys and clicks to their procedures.
void ConnectKeyEvents(Client& c);
