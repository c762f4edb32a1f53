#include "wire/General.h"
#include "messages/MessageHandlers.h"
#include "messages/TableViews.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"

namespace {
void CountSeenTile(Client& c, int16_t tile, int count) {
    const int rank = Rank(tile);
    if (rank < 1 || rank > 9) throw RuntimeError("seen tile " + std::to_string(tile) + " has no rank");
    auto& suit = CheckedAt(c.computer.SeenTiles, BitToIndex(static_cast<uint8_t>(SuitBit(tile))), "SeenTiles");
    CheckedAt(suit, rank, "SeenTiles") += static_cast<int16_t>(count);
}

// The computer player counts the tiles a claim puts in view, honours
// included; a claimed discard was counted when it was discarded.
void CountExposedTiles(Client& c, int op, const std::array<int16_t, 3>& tiles) {
    switch (op) {
    case OperationBit::Chow:
    case OperationBit::Pung:
        CountSeenTile(c, tiles[0], 1);
        CountSeenTile(c, tiles[1], 1);
        break;
    case OperationBit::ExposedKong: CountSeenTile(c, tiles[2], 3); break;
    case OperationBit::SingleKong: CountSeenTile(c, tiles[2], 1); break;
    }
}
}  // namespace

void HandleMeldMade(Client& c, GameMessage& msg) {
    const std::array<int16_t, 3> tiles{msg.Param[1], msg.Param[2], msg.Param[3]};
    if (c.table.AutoPlay && !c.table.SpectatorMode) CountExposedTiles(c, msg.Param[0], tiles);
    ViewOf(c).ShowOperation(c, msg.Param[0], msg.SeatBit, tiles);
}

void HandleClearHandMarks(Client& c, GameMessage&) {
    SeatInfo& own = c.seatInfo[0];
    for (int i = 0; i < own.ConcealedCount; ++i) CheckedAt(own.Slots, i, "Slots").Mark = 0;
}
