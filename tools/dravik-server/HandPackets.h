#pragma once
#include "connection/GamePacket.h"
#include "dravik-server/Rules.h"
#include "dravik-server/Scoring.h"
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The packets of a hand that the server sends, laid out as the client reads
// them. Seat bits are 1, 2, 4, 8. The echo bytes are left 0 for the sender to fill.

// The dealer and the four dice (1-6) of the two throws.
GamePacket HandStartPacket(uint8_t dealerBit, const std::array<int, 4>& dice);
GamePacket WildTileSetPacket(Rules::Tile wild, Rules::Tile indicator);
// A deal pass of four tiles; the server sends the codes only to the seat
// that receives them and zeros to the others.
GamePacket DealTilesPacket(uint8_t seatBit, const std::array<Rules::Tile, 4>& tiles);
GamePacket TileDrawnPacket(uint8_t seatBit, Rules::Tile tile);
GamePacket TileDiscardedPacket(uint8_t seatBit, Rules::Tile tile);
// The operation bits the seat may answer with.
GamePacket ActionPromptPacket(uint8_t seatBit, int operations);
// A claim (or win) of a seat: the operation bit and its three tiles (a
// one-tile kong carries its tile third, the first two 0).
GamePacket MeldMadePacket(uint8_t seatBit, int operation, const std::array<Rules::Tile, 3>& tiles);

// The end of a hand, per seat: the hand total, the tiles laid open (the
// winning tile, when among them, sent last and marked; four tiles a packet),
// and the settlement items (room 1, unit 金币, no tax line: this server
// takes no tax; the level title in two-byte characters, at most 8).
GamePacket SeatResultPacket(uint8_t seatBit, int64_t total);
std::vector<GamePacket> HandRevealedPackets(uint8_t seatBit, const std::vector<Rules::Tile>& concealed,
                                            Rules::Tile winningTile);
GamePacket ResultDetailPacket(uint8_t seatBit, const SeatSettlement& settlement, const QString& levelTitle);

// One seat of a hand in progress for a client that comes back: its laid and
// concealed tiles, its number of discards, the tiles taken from the wall's
// front since the hand began and the wall's back end, as the client's
// rebuild reads them. The client puts its WallFront where the hand began
// plus wallFrontTaken (the deal and every draw from the front). wallBackEnd
// is 136 minus the replacement tiles taken from the back (the indicator does
// not count): the packet turns it into the client's back counter so that its
// WallBack stands at the next replacement tile. All four seats' packets must
// carry the same two values. The wild tiles the seat laid aside are sent as
// the hand's wild tile (none when it is 0).
GamePacket TableRebuildPacket(uint8_t seatBit, const Rules::Hand& hand, int discards, int wallFrontTaken,
                              int wallBackEnd, Rules::Tile wild = 0);

// The table closes: reason 1 players left (mask: the seats still there).
GamePacket GameAbortedPacket(uint8_t seatMask, int reason);
// The dealer of the coming hand, whose wind the client shows: a GameAborted
// with reason 2, which aborts nothing. A player's client gets no HandSetup:
// that names the wild tile before the deal, and the client sorts the dealt
// hand only while no wild tile is known (and it takes the send, chat and
// start buttons away for good, as a spectator's table has them).
GamePacket DealerNamedPacket(uint8_t dealerBit);
// A player has left the table.
GamePacket PlayerLeftPacket(const QByteArray& account);
