#pragma once
#include <array>
#include <cstdint>

// A message as the client and the server see it, before encoding or after
// decoding: the header fields of one 272-byte game packet.
struct GameMessage {
    int16_t MsgType = 0;
    uint8_t Byte5 = 0;
    uint8_t SeatBit = 0;
    uint8_t Byte7 = 0;
    std::array<int16_t, 4> Param{};
};

// Message types of the game protocol.
namespace MessageType {
constexpr int DealTiles = 1;
constexpr int TileDiscarded = 2;
constexpr int Discard = 2;
constexpr int SeatName = 3;
constexpr int HandStart = 4;
constexpr int TileDrawn = 5;
constexpr int ActionPrompt = 6;
constexpr int MeldMade = 7;
constexpr int ClaimAnswer = 7;
constexpr int ClearHandMarks = 8;
constexpr int SeatResult = 9;
constexpr int WildTileSet = 14;
constexpr int HandRevealed = 15;
constexpr int GameAborted = 16;
constexpr int ReadyOrLeave = 16;
constexpr int ResultDetail = 17;
constexpr int LoginReply = 18;
constexpr int Login = 18;
constexpr int ChatLine = 19;
constexpr int PlayerJoined = 20;
constexpr int PlayerLeft = 21;
constexpr int ServerNotice = 22;
constexpr int PlayerReady = 23;
constexpr int KeepAlive = 24;
constexpr int Reconnect = 28;
constexpr int ReconnectReply = 29;
constexpr int TableRebuild = 40;
constexpr int HandSetup = 41;
}  // namespace MessageType

// Marker bits over the tile code in the own seat's answers: on every tile of a
// claim, and on a discarded tile.
namespace TileMarker {
constexpr int Claim = 0x2000;
constexpr int Discard = 0x4000;
}  // namespace TileMarker
