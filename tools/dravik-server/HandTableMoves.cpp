#include "dravik-server/HandTable.h"
#include "dravik-server/MoveText.h"
#include "dravik-server/ServerPackets.h"
#include "shared/GameMessage.h"
#include <algorithm>

// The checks of a client seat's moves: each one the hand does not allow is
// refused with its reason and changes nothing.

using Rules::CountOf;
using Rules::Tile;

namespace {
bool IsOneOperation(int operation) {
    return operation == Rules::kPass || operation == Rules::kChow || operation == Rules::kPung ||
           operation == Rules::kExposedKong || operation == Rules::kConcealedKong ||
           operation == Rules::kSingleKong || operation == Rules::kWin;
}

// The tile of a claim word (the tile code with the claim marker), 0 when the
// word is not one.
Tile ClaimTile(int16_t word) {
    const int value = uint16_t(word);
    return (value & 0xFF00) == TileMarker::Claim ? Tile(value & 0xFF) : 0;
}

bool HasZeroTiles(const GameMessage& message) {
    return message.Param[1] == 0 && message.Param[2] == 0 && message.Param[3] == 0;
}

bool NamesTileThrice(const GameMessage& message, Tile tile) {
    return tile != 0 && ClaimTile(message.Param[1]) == tile && ClaimTile(message.Param[2]) == tile &&
           ClaimTile(message.Param[3]) == tile;
}

// Three tiles of one numbered suit with ranks in a row.
bool IsRun(std::array<Tile, 3> tiles) {
    std::sort(tiles.begin(), tiles.end());
    const int suit = tiles[0] & 0xF0;
    if (suit == 0x10 || suit == 0) return false;
    return (tiles[1] & 0xF0) == suit && (tiles[2] & 0xF0) == suit && tiles[1] == tiles[0] + 1 &&
           tiles[2] == tiles[1] + 1;
}
}  // namespace

QString HandTable::Receive(int seat, const GamePacket& packet, Time now) {
    const GameMessage message = DecodeGamePacketFull(packet.data());
    const int type = uint16_t(message.MsgType);
    if (message.SeatBit != BitOf(seat)) return QStringLiteral("seat bit %1 is not the sender's").arg(message.SeatBit);
    if (!HandRunning()) return QStringLiteral("type %1 while no hand runs").arg(type);
    if (!clientSeats_[seat]) return QStringLiteral("the seat is played by the computer");
    QString refusal;
    if (type == MessageType::Discard)
        refusal = ReceiveDiscard(seat, message, now);
    else if (type == MessageType::ClaimAnswer)
        refusal = ReceiveClaimAnswer(seat, message, now);
    else
        refusal = QStringLiteral("type %1 is no move").arg(type);
    if (refusal.isEmpty()) Advance(now);
    return refusal;
}

QString HandTable::ReceiveDiscard(int seat, const GameMessage& message, Time now) {
    if (phase_ != Phase::Turn || seat != turnSeat_) return QStringLiteral("discard out of turn");
    const int word = uint16_t(message.Param[3]);
    if (message.Param[0] != 0 || message.Param[1] != 0 || message.Param[2] != 0 || (word & 0xFF00) != TileMarker::Discard)
        return QStringLiteral("malformed discard");
    const Tile tile = Tile(word & 0xFF);
    if (CountOf(hands_[seat].concealed, tile) == 0) return QStringLiteral("discard of %1, not held").arg(TileHex(tile));
    Discard(seat, tile, now);
    return {};
}

QString HandTable::ReceiveClaimAnswer(int seat, const GameMessage& message, Time now) {
    const int operation = message.Param[0];
    if (!IsOneOperation(operation)) return QStringLiteral("malformed answer %1").arg(operation);
    if (phase_ == Phase::Turn && seat == turnSeat_) return TurnDeclaration(seat, operation, message, now);
    if (OpenOffer(seat) > 0) return ClaimDeclaration(seat, operation, message);
    return QStringLiteral("%1 without an open prompt").arg(OperationName(operation));
}

QString HandTable::TurnDeclaration(int seat, int operation, const GameMessage& message, Time now) {
    const QString name = OperationName(operation);
    if (operation == Rules::kPass) {
        // The client passes before each discard whenever its prompt is
        // unanswered, also when nothing was offered.
        if (turnPassed_) return QStringLiteral("second pass");
        if (!HasZeroTiles(message)) return QStringLiteral("malformed pass");
        turnPassed_ = true;
        LogMove(seat, name, 0);
        return {};
    }
    if (turnPassed_ || (turnOffer_ & operation) == 0) return QStringLiteral("%1 not offered").arg(name);
    const Rules::Hand& hand = hands_[seat];
    if (operation == Rules::kWin) {
        if (!HasZeroTiles(message)) return QStringLiteral("malformed win");
        LogMove(seat, name, drawnTile_);
        Win(seat, -1, drawnTile_, now);
        return {};
    }
    if (operation == Rules::kConcealedKong) {
        const Tile tile = ClaimTile(message.Param[1]);
        if (!NamesTileThrice(message, tile) || tile == wild_ || CountOf(hand.concealed, tile) != 4)
            return QStringLiteral("concealed kong of %1 not possible").arg(TileHex(tile));
        LogMove(seat, name, tile);
        ConcealedKong(seat, tile, now);
        return {};
    }
    if (operation == Rules::kSingleKong) {
        const Tile tile = ClaimTile(message.Param[3]);
        const bool matchesPung = std::any_of(hand.melds.begin(), hand.melds.end(), [tile](const Rules::Meld& meld) {
            return meld.kind == Rules::kPung && !meld.upgraded && meld.tiles[0] == tile;
        });
        if (message.Param[1] != 0 || message.Param[2] != 0 || tile == 0 || CountOf(hand.concealed, tile) == 0 ||
            !(matchesPung || tile == Rules::kRedDragon || tile == wild_))
            return QStringLiteral("one-tile kong of %1 not possible").arg(TileHex(tile));
        LogMove(seat, name, tile);
        SingleKong(seat, tile, now);
        return {};
    }
    return QStringLiteral("%1 on the own turn").arg(name);
}

QString HandTable::ClaimDeclaration(int seat, int operation, const GameMessage& message) {
    ClaimState& claim = claims_[seat];
    const QString name = OperationName(operation);
    if ((claim.offered & operation) == 0) return QStringLiteral("%1 not offered").arg(name);
    if (operation == Rules::kPass || operation == Rules::kWin) {
        if (!HasZeroTiles(message)) return QStringLiteral("malformed %1").arg(name);
    } else if (operation == Rules::kPung || operation == Rules::kExposedKong) {
        if (!NamesTileThrice(message, claimTile_)) return QStringLiteral("%1 names other tiles").arg(name);
    } else if (operation == Rules::kChow) {
        const Tile first = ClaimTile(message.Param[1]);
        const Tile second = ClaimTile(message.Param[2]);
        const std::vector<Tile>& concealed = hands_[seat].concealed;
        if (ClaimTile(message.Param[3]) != claimTile_ || CountOf(concealed, first) == 0 ||
            CountOf(concealed, second) == 0 || !IsRun({first, second, claimTile_}))
            return QStringLiteral("chow of %1 %2 %3 not possible").arg(TileHex(first), TileHex(second), TileHex(claimTile_));
        claim.chowTiles = {std::min(first, second), std::max(first, second)};
    } else {
        return QStringLiteral("%1 on a discard").arg(name);
    }
    claim.answer = operation;
    LogMove(seat, name, claimTile_);
    return {};
}
