#pragma once
class Client;

// Clears the table of the last hand's tiles.
void ClearTable(Client& c);
// Lays the 136 tile images out as four walls and sets the seats' anchors.
void LayoutWall(Client& c);
// The design size of the tiles of a wall side (0 bottom, 1 left, 2 top,
// 3 right) and how far above its lower tile a stack's upper tile lies there.
struct WallTileShape {
    int width, height, raise;
};
WallTileShape WallSideShape(int side);
