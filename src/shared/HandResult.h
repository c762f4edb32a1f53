#pragma once
#include <array>
#include <cstdint>

// The settlement items of one hand as the server sends them: 48 per local
// seat. Held in 32 bits: item 0 is a whole wire word times 256.
namespace ResultItem {
constexpr int Room = 0;
constexpr int Unit = 1;
// Items from here on come one payload byte each.
constexpr int FirstByte = 2;
constexpr int Waits = 3;
constexpr int Shapes = 4;
constexpr int Suits = 5;
// 1 dealt in the winning tile, 2 won self-drawn.
constexpr int WinKind = 6;
constexpr int FirstTong = 7;
constexpr int LastTong = 9;
constexpr int SiHe = 10;
constexpr int ZhiFan = 11;
constexpr int PongedThree = 16;
constexpr int FanSign = 17;
constexpr int FanHigh = 18;
constexpr int FanLow = 19;
constexpr int KongWin = 20;
constexpr int RobbedKong = 21;
// The money's magnitude, little-endian.
constexpr int MoneyLow = 22;
constexpr int MoneyHigh = 29;
// 1 a winner, 2 money lost.
constexpr int Outcome = 30;
constexpr int TitleFirst = 31;
constexpr int TitleLast = 46;
constexpr int Count = 48;
}  // namespace ResultItem

using SeatResultItems = std::array<int32_t, ResultItem::Count>;
using HandResult = std::array<SeatResultItems, 4>;
