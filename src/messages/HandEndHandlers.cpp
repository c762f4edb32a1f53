#include "wire/General.h"
#include "wire/GamePacket.h"
#include "messages/MessageHandlers.h"
#include "play/RevealHands.h"
#include "play/WallDraws.h"
#include "results/ScoreWindow.h"
#include "results/Settlement.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/SideWindows.h"
#include <limits>

namespace {
constexpr int kTotalBytes = 8;
constexpr int kRevealTiles = 5;

uint8_t PayloadByte(const Client& c, int k) { return c.transport.PacketIn[PacketOffset::Payload + k]; }

// The hand total: a signed 64-bit little-endian number that must fit 32 bits.
int32_t HandTotal(const Client& c) {
    int64_t total = static_cast<int8_t>(PayloadByte(c, kTotalBytes - 1));
    for (int i = kTotalBytes - 2; i >= 0; --i) total = total * 256 + PayloadByte(c, i);
    if (total < -std::numeric_limits<int32_t>::max() || total > std::numeric_limits<int32_t>::max())
        throw RuntimeError("hand total out of range");
    return static_cast<int32_t>(total);
}

}  // namespace

void HandleSeatResult(Client& c, GameMessage& msg) {
    CenterOnMainForm(c, c.Score());
    const int seat = LocalSeatOfBit(c, msg.SeatBit);
    c.window.ResultPending = false;
    c.Score().State[seat]->clear();
    c.Score().State[seat + 4]->clear();
    int32_t total = HandTotal(c);
    if (msg.Param[1] == 0) total = -total;
    c.seatInfo[seat].WinTotal = total;
    if (++c.table.SeatResultCount < 4) return;
    c.table.SeatResultCount = 0;
    for (const SeatInfo& s : c.seatInfo)
        if (s.WinTotal != 0) return;
    ShowDrawnHand(c);
}

void HandleHandRevealed(Client& c, GameMessage& msg) {
    RevealHands(c, msg.SeatBit, msg.Param);
    TableState& t = c.table;
    if (t.RevealCount != 0) return;
    for (int k = 0; k < kRevealTiles; ++k) {
        t.RevealTiles[k] = PayloadByte(c, k);
        if (t.RevealTiles[k] != 0) ++t.RevealCount;
    }
    t.RevealImages[0] = t.WallBack;
    t.RevealImages[1] = StepWallBack(t.WallBack);
    for (int k = 2; k < t.RevealCount; ++k) t.RevealImages[k] = static_cast<int16_t>((t.WallFront + k - 2) % 136);
}

void HandleResultDetail(Client& c, GameMessage& msg) {
    const int seat = LocalSeatOfBit(c, msg.SeatBit);
    if (msg.Param[2] < 0 || msg.Param[2] > 255) throw RuntimeError("tax flag out of range");
    auto& items = c.handResult[seat];
    // A whole wire word times 256 leaves 16 bits; it is kept in 32.
    items[0] = int32_t(msg.Param[0]) * 256 + msg.Param[1];
    items[1] = msg.Param[3];
    c.table.NoTaxFlag = static_cast<uint8_t>(msg.Param[2]);
    for (int k = ResultItem::FirstByte; k < ResultItem::Count; ++k) items[k] = PayloadByte(c, k - ResultItem::FirstByte);
    if (++c.table.ResultPacketCount < 4) return;
    c.table.ResultPacketCount = 0;
    SettleHand(c, msg);
}
