#pragma once
#include <array>
#include <cstdint>
class Client;

// How the table draws the moves the server reports: a player's view, with
// the own hand face up and discards parked by the next draw, or a
// spectator's, with every hand as backs, discards straight into their rows
// and claims announced with a pause. The two differ in too many places for
// one view with a mode switch; they share the row, slot and picture helpers.
class TableView {
public:
    virtual ~TableView() = default;
    // A deal pass (count 4) or a single draw (count 1, the tile in tiles[3]).
    virtual void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) const = 0;
    // A seat's discard.
    virtual void ShowDiscard(Client& c, uint8_t seatBit, int16_t tile) const = 0;
    // An announced claim of any seat.
    virtual void ShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles) const = 0;
};

// The view of the client: a spectator's while SpectatorMode is set.
const TableView& ViewOf(const Client& c);
