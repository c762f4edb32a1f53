#pragma once
class Client;

// Buttons of the table window's button row, by index.
namespace BarButton {
constexpr int Start = 2;
constexpr int ScoreBoard = 5;
constexpr int HandList = 6;
}  // namespace BarButton

// Frees the send, chat and start/continue buttons that a hand's set-up
// disabled, so that the next hand can be started once this one is over.
void EnableHandButtons(Client& c);
// A click on button index of the button row.
void MainForm_AnNiu_Click(Client& c, int index);
// Connects the button row's clicks to their commands.
void ConnectButtonRowEvents(Client& c);
