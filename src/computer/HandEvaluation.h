#pragma once
#include <cstdint>
class Client;

// The computer player's judgement of the own concealed hand: each suit's
// tiles are counted by rank, complete melds are set aside greedily for a
// bonus of 1000 each, and the tiles left over lose value for standing alone,
// for lying far from the middle of the suit and for having been seen.

// Ranks 1 to 9 are the ones the tables count.
inline bool IsRank(int r) { return r >= 1 && r <= 9; }
// The suit index of a tile (0 honours, 1 bamboo, 2 characters, 3 circles).
int SuitIndex(int tile);

// Counts the own concealed tiles into TileCount and clears MeldTiles; every
// slot of the run keeps only the low byte of its tile from then on.
void CountHandTiles(Client& c);
// The value of the own concealed tiles in the tile's suit. Mode 1 leaves one
// copy of the tile out; mode 4 gives no meld bonus; modes 0, 2 and 3 value
// the counts as the caller left them. Consumes that suit's TileCount.
int16_t EvaluateSuit(Client& c, int mode, int tile);
// Picks the numbered suit with the fewest concealed tiles as the one to give
// up (the higher suit on a tie), only when all three numbered suits are held.
void FindWeakSuit(Client& c);
// True when the tiles left over after setting melds aside are worth more than −100.
bool IsHandNearlyReady(Client& c);
