#pragma once
#include "shared/TransportState.h"
#include <QString>
#include <array>
#include <cstdint>

struct PlayerInfo;

// Byte places of the player record in a PlayerJoined packet.
namespace PlayerRecordOffset {
constexpr int Account = 168;
// 1: the player is ready for the next hand; read by the joining handler.
constexpr int ReadyFlag = 208;
}  // namespace PlayerRecordOffset

// Decodes the player record of a PlayerJoined packet into `info`, field by
// field; the voice sex and the hand-visible word are left as they were.
// Forgets the player of a seat that empties: the shown and counted fields go;
// the account, name tag, voices and user id stay until the next record.
void BlankPlayerInfo(PlayerInfo& info);

void ParsePlayerInfo(PlayerInfo& info, const std::array<uint8_t, kPacketSize>& packet);

// The player's account, read as every message that names an account is read.
QString RecordAccount(const std::array<uint8_t, kPacketSize>& packet);
