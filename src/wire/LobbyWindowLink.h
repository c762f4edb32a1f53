#pragma once
#include <cstdint>
class Client;

// Window messages between the lobby and the client. The same numbers mean
// different things in the two directions.
namespace LobbyMessage {
constexpr uint32_t QueryState = 0x465;    // lobby -> client
constexpr uint32_t LeaveRequest = 0x303;  // lobby -> client
constexpr uint32_t ForceLeave = 0x400;    // lobby -> client
constexpr uint32_t Relogin = 0x16;        // lobby -> client
constexpr uint32_t InHand = 0x465;        // client -> lobby
constexpr uint32_t LoginPending = 0x466;  // client -> lobby
constexpr uint32_t Idle = 0x400;          // client -> lobby
constexpr uint32_t Connected = 0x303;     // client -> lobby
constexpr uint32_t NotConnected = 0x16;   // client -> lobby
constexpr uint32_t WallBuilt = 0x455;     // client -> lobby
}  // namespace LobbyMessage

// Restores the lobby window; the client ends when it is gone.
void RestoreLobbyWindow(Client& c);
// Minimises the lobby window; the client ends when it is gone.
void MinimizeLobbyWindow(Client& c);
// Posts a message to the lobby window; nothing happens when it is gone.
void PostToLobby(Client& c, uint32_t msg);
