#include "dravik-server/HandPackets.h"
#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include "shared/GameMessage.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr int kWallTiles = 136;
constexpr int kRevealTilesPerPacket = 4;
// The client reads a winning tile's word with 8 in the high byte's low nibble.
constexpr int kWinningTileMark = 0x0800;

// Rebuild tile pairs: a marker byte then the tile code.
constexpr int kRebuildPairs = 24;
constexpr uint8_t kExposedMarker = 0x20;
constexpr uint8_t kConcealedMarker = 0x10;

// ResultDetail: item k (2 to 47) lies at byte 14 + k.
constexpr int kItemOffset = 14;
constexpr int kFirstPayloadItem = 2;
constexpr int kMoneyItem = 22;
constexpr int kTitleItem = 31;
constexpr int kTitleBytes = 16;
constexpr int kRoomNumber = 1;
constexpr int kGoldCoins = 1;  // the unit "金币"
// The local server takes no tax, so the client is told to leave out its tax line.
constexpr int kNoTaxLine = 1;

// The GameAborted reason that names the dealer.
constexpr int kDealerNamed = 2;

GameMessage Header(int type, uint8_t seatBit, std::array<int, 4> params = {}) {
    GameMessage message;
    message.MsgType = int16_t(type);
    message.SeatBit = seatBit;
    for (size_t k = 0; k < params.size(); ++k) message.Param[k] = int16_t(params[k]);
    return message;
}

GamePacket HeaderPacket(int type, uint8_t seatBit, std::array<int, 4> params = {}) {
    return EncodeGamePacket(Header(type, seatBit, params));
}

// The client's rebuild moves the wall's back end by the smallest Param(3):
// an odd value by Param(3) + 1, modulo 136. This one leaves it where the
// hand started.
constexpr int kBackEndUnmoved = kWallTiles - 1;

// The title as GBK two-byte characters, as many as fit; the client reads
// no other kind, so the title ends before any character that is not one.
QByteArray DoubleByteTitle(const QString& title) {
    QByteArray bytes;
    for (const QChar c : title) {
        const QByteArray character = AnsiCodec::CharToAnsi(c);
        if (character.size() != 2 || bytes.size() + 2 > kTitleBytes) break;
        bytes += character;
    }
    return bytes;
}
}  // namespace

GamePacket HandStartPacket(uint8_t dealerBit, const std::array<int, 4>& dice) {
    return HeaderPacket(MessageType::HandStart, dealerBit, dice);
}

GamePacket WildTileSetPacket(Rules::Tile wild, Rules::Tile indicator) {
    return HeaderPacket(MessageType::WildTileSet, 0, {0, 0, wild, indicator});
}

GamePacket DealTilesPacket(uint8_t seatBit, const std::array<Rules::Tile, 4>& tiles) {
    return HeaderPacket(MessageType::DealTiles, seatBit, {tiles[0], tiles[1], tiles[2], tiles[3]});
}

GamePacket TileDrawnPacket(uint8_t seatBit, Rules::Tile tile) {
    return HeaderPacket(MessageType::TileDrawn, seatBit, {0, 0, 0, tile});
}

GamePacket TileDiscardedPacket(uint8_t seatBit, Rules::Tile tile) {
    return HeaderPacket(MessageType::TileDiscarded, seatBit, {0, 0, 0, tile});
}

GamePacket ActionPromptPacket(uint8_t seatBit, int operations) {
    return HeaderPacket(MessageType::ActionPrompt, seatBit, {operations, 0, 0, 0});
}

GamePacket MeldMadePacket(uint8_t seatBit, int operation, const std::array<Rules::Tile, 3>& tiles) {
    return HeaderPacket(MessageType::MeldMade, seatBit, {operation, tiles[0], tiles[1], tiles[2]});
}

GamePacket SeatResultPacket(uint8_t seatBit, int64_t total) {
    GamePacket packet = HeaderPacket(MessageType::SeatResult, seatBit, {0, 1, 0, 0});
    const auto bits = uint64_t(total);
    for (int k = 0; k < 8; ++k) packet[size_t(PacketOffset::Payload + k)] = uint8_t(bits >> (8 * k));
    return packet;
}

std::vector<GamePacket> HandRevealedPackets(uint8_t seatBit, const std::vector<Rules::Tile>& concealed,
                                            Rules::Tile winningTile) {
    // The client stores the words Param(3), Param(2), Param(1), Param(0) in
    // turn and takes the tile stored last as the winning one.
    std::vector<int> words(concealed.begin(), concealed.end());
    const auto winning = std::find(words.begin(), words.end(), int(winningTile));
    if (winningTile != 0 && winning != words.end()) {
        words.erase(winning);
        words.push_back(kWinningTileMark | winningTile);
    }
    std::vector<GamePacket> packets;
    for (size_t first = 0; first < words.size(); first += kRevealTilesPerPacket) {
        std::array<int, 4> params{};
        for (size_t k = first; k < std::min(words.size(), first + kRevealTilesPerPacket); ++k)
            params[3 - (k - first)] = words[k];
        packets.push_back(HeaderPacket(MessageType::HandRevealed, seatBit, params));
    }
    return packets;
}

GamePacket ResultDetailPacket(uint8_t seatBit, const SeatSettlement& settlement, const QString& levelTitle) {
    GamePacket packet = HeaderPacket(MessageType::ResultDetail, seatBit,
                                     {kRoomNumber >> 8, kRoomNumber & 0xFF, kNoTaxLine, kGoldCoins});
    for (size_t item = kFirstPayloadItem; item < settlement.items.size(); ++item)
        packet[kItemOffset + item] = settlement.items[item];
    const uint64_t magnitude = settlement.money < 0 ? 0 - uint64_t(settlement.money) : uint64_t(settlement.money);
    for (int k = 0; k < 8; ++k) packet[size_t(kItemOffset + kMoneyItem + k)] = uint8_t(magnitude >> (8 * k));
    std::fill_n(packet.begin() + kItemOffset + kTitleItem, kTitleBytes, uint8_t(0));
    const QByteArray title = DoubleByteTitle(levelTitle);
    std::memcpy(packet.data() + kItemOffset + kTitleItem, title.constData(), size_t(title.size()));
    return packet;
}

GamePacket HandSetupPacket(uint8_t dealerBit, const std::array<int, 4>& dice, Rules::Tile wild,
                           Rules::Tile indicator) {
    return HeaderPacket(MessageType::HandSetup, dealerBit, {dice[0] + dice[1], dice[2] + dice[3], wild, indicator});
}

GamePacket TableRebuildPacket(uint8_t seatBit, const Rules::Hand& hand, int discards, int wallTaken,
                              Rules::Tile wild) {
    GameMessage message = Header(MessageType::TableRebuild, seatBit, {0, wallTaken, 0, kBackEndUnmoved});
    message.Byte7 = uint8_t(discards);
    GamePacket packet = EncodeGamePacket(message);

    int pair = 0;
    const auto put = [&](uint8_t marker, Rules::Tile tile) {
        if (pair == kRebuildPairs) return;
        packet[size_t(PacketOffset::Payload + 2 * pair)] = marker;
        packet[size_t(PacketOffset::Payload + 2 * pair + 1)] = tile;
        ++pair;
    };
    for (int k = 0; k < hand.redDragonsAside; ++k) put(kExposedMarker, Rules::kRedDragon);
    for (int k = 0; k < hand.wildTilesAside; ++k) put(kExposedMarker, wild);
    for (const Rules::Meld& meld : hand.melds) {
        for (const Rules::Tile tile : meld.tiles) put(kExposedMarker, tile);
        const bool kong = meld.kind == Rules::kExposedKong || meld.kind == Rules::kConcealedKong || meld.upgraded;
        if (kong) put(kExposedMarker, meld.tiles[0]);
    }
    for (const Rules::Tile tile : hand.concealed) put(kConcealedMarker, tile);
    return packet;
}

GamePacket GameAbortedPacket(uint8_t seatMask, int reason) {
    return HeaderPacket(MessageType::GameAborted, seatMask, {0, 0, 0, reason});
}

GamePacket DealerNamedPacket(uint8_t dealerBit) { return GameAbortedPacket(dealerBit, kDealerNamed); }

GamePacket PlayerLeftPacket(const QByteArray& account) {
    return EncodeGamePacket(Header(MessageType::PlayerLeft, 0), account.left(AccountField::Bytes));
}
