#pragma once
#include "wire/GamePacket.h"
#include "dravik-server/ServerPackets.h"
#include <QByteArray>
#include <array>
#include <vector>

// One seat of the table as the seating shows it.
struct SeatedPlayer {
    PlayerRecord record;
    bool ready = false;
};

// The record of a client that logged in with `account` and sits at `seat`
// (0-3): its user id, 100001 + seat, names it on a watcher's command line;
// its portrait code is the seat's.
PlayerRecord ClientRecord(const QByteArray& account, int seat = 0);
// The computer player that takes the free seat `seat` (0-3, seat bit 1 << seat).
PlayerRecord ComputerRecord(int seat);

// The seat bit of a player record that names no seat: the client seats the
// player at its first free seat, counts the player in and asks for a video link.
constexpr uint8_t kSeatToBeFound = 0;

// How a seating names the others' seats: under their seat bits, or as
// players to be found, sent in the order left, opposite, right, so that the
// client fills its seats in that order and links their video.
enum class OthersSeated { BySeatBit, ToBeFound };

// Everything that seats the client at `ownSeat`, in the order the client
// applies it: the four seat names, its own record, the three others' records
// and the ready marks of the others who are ready. The echo bytes are left 0
// for the sender to fill.
std::vector<GamePacket> SeatingPackets(int ownSeat, const std::array<SeatedPlayer, 4>& seats,
                                       OthersSeated others = OthersSeated::BySeatBit);

// The client with `account` at seat bit 1 (北) with three ready computers.
std::vector<GamePacket> SeatingPackets(const QByteArray& account);
