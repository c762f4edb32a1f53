#pragma once
#include <cstdint>
class Client;

// The next wall image a rebuild hands out: the rebuild lays every tile it
// shows from the wall images that follow the hand's wall front, in turn.
int16_t TakeRebuildImage(Client& c);
// Completes a rebuilt table once its four seats are laid: the wild tile's
// face, the wall that is left, the wild indicator on its back end, the
// face-down discards and the new wall front.
void CompleteTableRebuild(Client& c);
