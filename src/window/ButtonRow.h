#pragma once
class Client;

// Buttons of the table window's button row, by index.
namespace BarButton {
constexpr int Start = 2;
constexpr int ScoreBoard = 5;
constexpr int HandList = 6;
}  // namespace BarButton

// A click on button index of the button row.
void MainForm_AnNiu_Click(Client& c, int index);
// Connects the button row's clicks to their commands.
void ConnectButtonRowEvents(Client& c);
