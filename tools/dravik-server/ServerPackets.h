#pragma once
#include "wire/GamePacket.h"
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The seat bit (1, 2, 4, 8) of server seat 0-3.
inline uint8_t BitOf(int seat) { return uint8_t(1 << seat); }

// Packets the server sends. `echo` is written at the echo bytes, which the
// client sends back in every packet and in its reconnect request.

// verdict: 1 accepted, 2 refused because the game did not start, other
// values refused because the log-in was not verified. Only the low byte of
// timeoutLimit is sent; the banner address is cut to 100 bytes.
GamePacket LoginReplyPacket(int verdict, int turnSeconds, int timeoutLimit, const QByteArray& bannerUrl,
                            std::array<uint8_t, 2> echo);

GamePacket ReconnectReplyPacket(bool accepted, std::array<uint8_t, 2> echo);

// The text goes out in GBK, cut to 200 bytes without splitting a character.
// A chat line from a seat; the params say what kind of line it is (a voice
// phrase, a private line's target) and travel unchanged.
GamePacket ChatLinePacket(uint8_t senderSeatBit, const QString& text, std::array<uint8_t, 2> echo,
                          std::array<int16_t, 4> params = {});

// The account of a Login or Reconnect (bytes 16-31, up to the first zero),
// as the client's bytes: the server names the player with exactly these.
QByteArray AccountOf(const uint8_t* packet);

// An account as the log shows it: read as GBK, control characters as blanks.
QString AccountText(const QByteArray& account);

// One seat's account name (16 single-byte characters at most) for the seat
// with `seatBit` (1, 2, 4 or 8).
GamePacket SeatNamePacket(uint8_t seatBit, const QByteArray& account, std::array<uint8_t, 2> echo = {});

// What a PlayerJoined message tells about one player. The texts go out in
// GBK; location, level title and name tag are read two bytes per character,
// so they must hold double-byte characters only (at most 4, 8 and 12).
struct PlayerRecord {
    QString nickName{};  // at most 32 bytes
    QByteArray avatar{};  // portrait code, "m1".."m10" or "w1".."w10"
    uint8_t sex = 1;  // 0 female, 1 male
    QString area{};
    uint64_t points = 0;
    uint64_t credit = 0;
    uint64_t money = 0;
    QString levelTitle{};
    uint32_t logins = 0;
    uint32_t drops = 0;
    uint32_t wins = 0;
    uint32_t losses = 0;
    QByteArray account{};  // at most 16 single-byte characters
    QString nameTag{};
    bool ready = false;  // the player is ready for the next hand
    QByteArray voiceCode{};  // dialect, at most 8 bytes
    QByteArray voiceSet{};  // at most 8 bytes
    uint64_t userId = 0;
};

// seatBit: 15 for the receiving client's own record, 0 for a player the
// client seats at its first free seat, or the player's seat bit.
GamePacket PlayerJoinedPacket(uint8_t seatBit, const PlayerRecord& record, std::array<uint8_t, 2> echo = {});

// The player with `account` (in seat `seatBit`) is ready for the next hand.
GamePacket PlayerReadyPacket(uint8_t seatBit, const QByteArray& account, std::array<uint8_t, 2> echo = {});

// One log line for a packet received from a client: the header, the account
// of a Login or Reconnect (never the password), the text of a ChatLine, and
// the echo bytes.
QString DescribePacket(const uint8_t* packet);

// One log line for a packet the server sends: the header and the echo bytes.
// Its payload is not read, since a reply's payload means something else than
// the same type's payload from a client (a LoginReply carries a banner
// address where a Login carries the account).
QString DescribeSentPacket(const uint8_t* packet);
