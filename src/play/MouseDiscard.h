#pragma once
class Client;

// Mouse buttons as the event procedures number them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// True when the image shows a tile of the own concealed run.
bool IsHandTileImage(Client& c, int imageIndex);
// The pointer over a tile image: an own concealed tile rises and shows the
// hand cursor while the hand is played.
void MainForm_MJ_Image_MouseMove(Client& c, int index);
// A click on a tile image: discards an own concealed tile when the hand must
// discard, or passes on a right click elsewhere while the pass button shows.
void MainForm_MJ_Image_MouseDown(Client& c, int index, int button, int shift, double x, double y);
// A button released over the bare table: a right click passes.
void MainForm_Pic1_MouseUp(Client& c, int button, int shift, double x, double y);
