#pragma once
#include "dravik-server/Rules.h"

// The server's own player for the seats no client takes, and for a client
// seat whose answer does not come in time.
namespace ComputerPlayer {
// The tile to discard from a hand of 3n + 2 concealed tiles: never the wild
// tile while another tile will do; lone honours and isolated tiles first.
Rules::Tile ChooseDiscard(const Rules::Hand& hand, Rules::Tile wild);
// The answer to an offer of these operation bits after its own draw: kWin
// when offered, a kong when it does not break the hand, else 0 (then it discards).
// It lays aside a lone Red Dragon or a pung's lone fourth tile, never the wild tile.
int ChooseSelfDrawAnswer(const Rules::Hand& hand, int offered, Rules::Tile wild);
// The answer to an offer on another seat's discard: kWin when offered, a
// pung or kong or chow when it helps the hand, else kPass.
int ChooseClaimAnswer(const Rules::Hand& hand, int offered, Rules::Tile discard, Rules::Tile wild);
// The two concealed tiles of the chow it claims with the discard (lower first).
std::array<Rules::Tile, 2> ChowTiles(const Rules::Hand& hand, Rules::Tile discard);
// The tile of the one-tile kong it declares (a pung's fourth tile, a Red Dragon or the wild tile):
// the harmless one its answer chose, else any the hand holds; 0 when none.
Rules::Tile SingleKongTile(const Rules::Hand& hand, Rules::Tile wild);
}  // namespace ComputerPlayer
