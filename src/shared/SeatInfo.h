#pragma once
#include <QString>
#include <array>
#include <cstdint>

// One tile place of a seat: melds first, then the concealed run.
struct TileSlot {
    int16_t Flag = 0;   // 0 empty, 1 concealed, 2 chow, 3 pung, 4 kong on a discard, 5 concealed kong, 6 one-tile kong
    int16_t Tile = 0;   // tile code, 0 when empty
    int16_t Image = -1; // MJ_Image index showing the tile, -1 for none
    int16_t Mark = 0;
};

// The table record of one local seat (0 own or watched, 1 left, 2 opposite, 3 right).
struct SeatInfo {
    QString Account;
    int32_t WinTotal = 0;
    uint8_t SeatBit = 0;
    int16_t DealerFlag = 0;
    int16_t DiscardX = 0, DiscardY = 0;
    int16_t DiscardRowX = 0, DiscardRowY = 0;
    int16_t HandX = 0, HandY = 0;
    std::array<TileSlot, 21> Slots{};
    int16_t MeldEnd = 3;
    int16_t FirstConcealed = 4;
    int16_t ConcealedCount = 0;
    int16_t WildCount = 0;
    int16_t RedKongCount = 0;
    int16_t WildKongCount = 0;
};
