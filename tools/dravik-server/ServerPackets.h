#pragma once
#include "connection/GamePacket.h"
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// Packets the server sends. `echo` is written at the echo bytes, which the
// client sends back in every packet and in its reconnect request.

// verdict: 1 accepted, 2 refused because the game did not start, other
// values refused because the log-in was not verified. Only the low byte of
// timeoutLimit is sent; the banner address is cut to 100 bytes.
GamePacket LoginReplyPacket(int verdict, int turnSeconds, int timeoutLimit, const QByteArray& bannerUrl,
                            std::array<uint8_t, 2> echo);

GamePacket ReconnectReplyPacket(bool accepted, std::array<uint8_t, 2> echo);

// The text goes out in GBK, cut to 200 bytes without splitting a character.
GamePacket ChatLinePacket(uint8_t senderSeatBit, const QString& text, std::array<uint8_t, 2> echo);

// One log line for a packet received from a client: the header, the account
// of a Login or Reconnect (never the password), the text of a ChatLine, and
// the echo bytes.
QString DescribePacket(const uint8_t* packet);

// One log line for a packet the server sends: the header and the echo bytes.
// Its payload is not read, since a reply's payload means something else than
// the same type's payload from a client (a LoginReply carries a banner
// address where a Login carries the account).
QString DescribeSentPacket(const uint8_t* packet);
