#include "support/ClientTimeOutMoves.h"
#include "wire/GamePacket.h"
#include "shared/GameMessage.h"

namespace {
GamePacket Answer(int type, int seat, int16_t word) {
    GameMessage message;
    message.MsgType = int16_t(type);
    message.SeatBit = uint8_t(1 << seat);
    message.Param[type == MessageType::Discard ? 3 : 0] = word;
    return EncodeGamePacket(message);
}
}  // namespace

QStringList MakeTimeOutMoves(HandTable& table, HandTable::Time now) {
    QStringList refusals;
    const auto send = [&](const GamePacket& packet, int seat) {
        const QString refusal = table.Receive(seat, packet, now);
        if (!refusal.isEmpty()) refusals << refusal;
    };
    for (int seat = 0; seat < 4; ++seat) {
        const int offer = table.OpenOffer(seat);
        if (!table.IsClientSeat(seat) || offer < 0) continue;
        const bool ownTurn = table.CurrentPhase() == HandTable::Phase::Turn;
        if (offer > 0 || !ownTurn) send(Answer(MessageType::ClaimAnswer, seat, 1), seat);
        if (ownTurn)
            send(Answer(MessageType::Discard, seat, int16_t(TileMarker::Discard | table.Hands()[size_t(seat)].concealed.back())), seat);
    }
    return refusals;
}
