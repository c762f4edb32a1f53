#pragma once
#include "wire/GamePacket.h"
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

// The hand in progress for a client that joins it late (a returning player or
// a watcher), sent before its rebuild: it re-arms the client's table and names
// the dealer, the wild tile and its indicator, and the totals of the first two
// and of the last two dice, from which a watcher's client finds the wall's break.
GamePacket HandSetupPacket(uint8_t dealerBit, const std::array<int, 4>& dice, Rules::Tile wild,
                           Rules::Tile indicator);

// One seat of a hand in progress for a client that joins it late: its laid
// and concealed tiles, its discards still lying in its row and the tiles out
// of the wall. The client lays every rebuilt tile, the indicator and the
// discards from one run of wall images starting at the hand's break, the
// replacement tiles included, and shows the wall from the break plus
// wallTaken on to where the hand's wall ended at the back. So wallTaken
// counts every tile drawn, from the front and from the back, and the
// indicator, and the back end stays where it was at the hand's start: the
// client's wall then holds as many tiles as the server's, and no image is
// used twice. All four seats' packets must carry the same wallTaken. The wild
// tiles the seat laid aside are sent as the hand's wild tile.
GamePacket TableRebuildPacket(uint8_t seatBit, const Rules::Hand& hand, int discards, int wallTaken,
                              Rules::Tile wild);

// The table closes: reason 1 players left (mask: the seats still there).
GamePacket GameAbortedPacket(uint8_t seatMask, int reason);
// The dealer of the coming hand, whose wind the client shows: a GameAborted
// with reason 2, which aborts nothing. A player's client gets no HandSetup
// at the hand's start:
// that names the wild tile before the deal, and the client sorts the dealt
// hand only while no wild tile is known (and it takes the send, chat and
// start buttons away for good, as a spectator's table has them).
GamePacket DealerNamedPacket(uint8_t dealerBit);
// A player has left the table.
GamePacket PlayerLeftPacket(const QByteArray& account);
