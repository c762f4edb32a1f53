#pragma once
#include <array>
#include <cstdint>
class Client;

// A spectator gathers the four player records of a seating before it seats
// itself behind the watched player.
using SpectatorRecords = std::array<std::array<uint8_t, 272>, 4>;

// Seats the spectator behind the watched player from the four gathered records.
void SetupSpectatorView(Client& c);
