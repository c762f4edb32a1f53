#pragma once
class Client;

// Lays a seat's discarded tile face up in the middle of the table, in the
// picture set of that seat's side and at the seat's current tile size (its
// discard size). The centre is taken from the image's size before it
// shrinks, as the hand tile it still is. The own and right seats' discards
// go below every other control, the left and opposite seats' above.
void LayDiscardInCentre(Client& c, int seat, int imageIndex, int tile);
