#pragma once
class Client;

// A click on a tile image, with any button, once the hand has a winner:
// turns up another seat's concealed-kong tile, or lifts one of the wall
// tiles the server named at the hand's end into a row in the table centre.
void LookAtTilesAfterWin(Client& c, int imageIndex, int button);
