#pragma once
class Client;

// Lays an own discarded tile face up in the middle of the table at the own
// seat's current tile size (the discard size) and below every other control.
// The centre is taken from the image's size before it shrinks, as the hand
// tile it still is.
void LayDiscardInCentre(Client& c, int imageIndex, int tile);
