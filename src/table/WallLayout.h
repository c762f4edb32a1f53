#pragma once
class Client;

// Clears the table of the last hand's tiles.
void ClearTable(Client& c);
// Lays the 136 tile images out as four walls and sets the seats' anchors.
void LayoutWall(Client& c);
