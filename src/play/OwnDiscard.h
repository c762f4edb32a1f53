#pragma once
class Client;

// Raises a run-time error when the own concealed slot or any slot after it
// in the run names no tile image, or its tile is no tile, so that a discard
// can be refused before anything changes.
void CheckOwnDiscard(Client& c, int slot);
// Discards the tile of an own concealed slot: queues the Discard message,
// lays the tile in the middle of the table and closes the hand up, sorted.
void DiscardOwnSlot(Client& c, int slot);
