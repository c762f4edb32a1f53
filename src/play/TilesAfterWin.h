#pragma once
class Client;

// A click on a tile image once the hand has a winner; built by a later issue.
void LookAtTilesAfterWin(Client& c, int imageIndex, int button);
