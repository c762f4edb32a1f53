#pragma once
class Client;

// The pointer over the bare table surface at (x, y), in table pixels: a hand
// tile the pointer raised drops back once the pointer has left it.
void MainForm_Pic1_MouseMove(Client& c, double x, double y);
