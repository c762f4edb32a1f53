#pragma once
class Client;

// The pointer over the bare table surface at (x, y), in table pixels: the
// lit buttons of the row go back to normal, a hand tile the pointer raised
// drops back once the pointer has left it, and the player card goes away.
void MainForm_Pic1_MouseMove(Client& c, double x, double y);
