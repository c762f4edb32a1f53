#include "watch/FaceDownDiscards.h"

// Placeholder until the face-down discards are built: a rebuilt table shows
// no discards.
void LayFaceDownTiles(Client&) {}
