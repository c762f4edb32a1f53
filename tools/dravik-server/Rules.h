#pragma once
#include <QRandomGenerator>
#include <array>
#include <cstdint>
#include <vector>

// The rules of the game the local server plays, free of any table or network
// state. Tiles are the client's tile codes: the suit bit in bits 4-7 (1
// honours, 2 bamboo, 4 characters, 8 circles), the rank in bits 0-3 (1-9;
// honours 1-7: 東 南 西 北 中 發 白).
namespace Rules {
using Tile = uint8_t;
constexpr Tile kRedDragon = 0x15;

// Operation bits of prompts, answers and announcements.
constexpr int kPass = 1, kChow = 4, kPung = 8, kExposedKong = 16, kConcealedKong = 32, kSingleKong = 64, kWin = 128;

// A meld laid on the table: a chow (its three tiles in rank order), a pung,
// a kong (kExposedKong or kConcealedKong; a pung turned into a kong by a
// one-tile kong keeps kPung with `upgraded` set).
struct Meld {
    int kind = 0;
    std::array<Tile, 3> tiles{};
    bool upgraded = false;
};

// One seat's tiles during a hand.
struct Hand {
    std::vector<Tile> concealed;
    std::vector<Meld> melds;
    // Red Dragons and wild tiles laid aside as one-tile kongs of their own.
    int redDragonsAside = 0;
    int wildTilesAside = 0;
};

// How many of `tile` the tiles hold.
int CountOf(const std::vector<Tile>& tiles, Tile tile);

// The 136 tiles: four of each of the 34.
std::vector<Tile> AllTiles();
// The 136 tiles in random order.
std::vector<Tile> ShuffledWall(QRandomGenerator& random);
// The wild tile an indicator names: the next rank of its suit (9 → 1),
// among the winds 東 南 西 北 → 東, among the dragons 中 發 白 → 中.
Tile WildTileOf(Tile indicator);

// True when the concealed tiles (a count of 3n + 2) make a complete hand with
// the melds already laid: n sets (three equal tiles, or three ranks in a row
// of one numbered suit) and one pair, or seven pairs when no meld is laid.
// Each wild tile stands in for any tile.
bool IsWinningHand(const std::vector<Tile>& concealed, Tile wild);
// The two shapes the settlement scores, with the same wild tiles: seven pairs
// (fourteen concealed tiles; four equal tiles are two pairs), and a complete
// hand of pungs and one pair without any chow.
bool IsSevenPairs(const std::vector<Tile>& concealed, Tile wild);
bool IsAllPungsHand(const std::vector<Tile>& concealed, Tile wild);

// What the seat that just drew (its hand holds 3n + 2 tiles) may declare:
// kWin, kConcealedKong (four equal concealed tiles, not the wild tile),
// kSingleKong (a concealed tile matching one of its pungs, or a Red Dragon,
// or the wild tile); 0 when nothing. A win on the wall's last tile is still
// offered; kongs are not offered when the wall is empty.
int SelfDrawOptions(const Hand& hand, Tile wild, bool wallEmpty);
// What a seat may claim of another seat's discard: kWin (the discard
// completes the hand), kPung (a concealed pair of it), kExposedKong (three of
// it, not when the wall is empty), kChow only for the seat next in turn after
// the discarder (two concealed tiles making a run with it). Wild tiles count
// only as themselves here, except for the win. 0 when nothing.
int DiscardOptions(const Hand& hand, Tile discard, bool nextInTurn, Tile wild, bool wallEmpty);

// Among the claims of one discard, the one that is taken: a win first, then a
// pung or kong, then a chow; among equals the seat nearest after the
// discarder in turn order. `claims[seat]` is the operation bit the seat
// answered (0 or kPass for none); seats are 0-3, turn order 0 → 1 → 2 → 3 → 0.
// The discarder's own answer and a chow of any seat but the next are ignored.
// Returns the winning seat, or -1 when nobody claims.
int ClaimWinner(const std::array<int, 4>& claims, int discarder);
}  // namespace Rules
