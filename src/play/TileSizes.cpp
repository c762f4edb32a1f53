#include "play/TileSizes.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include <array>

namespace {
struct DesignSize {
    int width, height;
};
using SeatSizes = std::array<DesignSize, 4>;
constexpr SeatSizes kHandSizes{{{48, 78}, {35, 66}, {36, 50}, {35, 66}}};
constexpr SeatSizes kDiscardSizes{{{36, 50}, {48, 35}, {30, 36}, {48, 35}}};
constexpr SeatSizes kMeldSizes{{{45, 60}, {45, 35}, {34, 40}, {45, 35}}};
constexpr DesignSize kWatchedMeldSize{45, 56};
constexpr SeatSizes kRevealSizes{{{48, 60}, {45, 35}, {36, 39}, {45, 35}}};

void SetSize(Client& c, const SeatSizes& sizes, int seat) {
    const DesignSize& size = CheckedAt(sizes, seat, "tile size");
    SetTileSize(c, seat, size.width, size.height);
}

int16_t ScaledWidth(const Client& c, const SeatSizes& sizes, int seat) {
    return static_cast<int16_t>(RoundHalfEven(CheckedAt(sizes, seat, "tile size").width * c.table.ScaleX));
}
}  // namespace

void SetTileSize(Client& c, int seat, int designWidth, int designHeight) {
    CheckedAt(c.table.TileWidth, seat, "TileWidth") = static_cast<int16_t>(RoundHalfEven(designWidth * c.table.ScaleX));
    CheckedAt(c.table.TileHeight, seat, "TileHeight") = static_cast<int16_t>(RoundHalfEven(designHeight * c.table.ScaleY));
}

void SetHandTileSize(Client& c, int seat) { SetSize(c, kHandSizes, seat); }
void SetDiscardTileSize(Client& c, int seat) { SetSize(c, kDiscardSizes, seat); }
void SetMeldTileSize(Client& c, int seat) { SetSize(c, kMeldSizes, seat); }

void SetHandTileSizes(Client& c) {
    for (int seat = 0; seat < 4; ++seat) SetHandTileSize(c, seat);
}

void SetMeldTileSizes(Client& c) {
    for (int seat = 0; seat < 4; ++seat) SetMeldTileSize(c, seat);
}

void SetWatchedMeldTileSizes(Client& c) {
    SetMeldTileSizes(c);
    SetTileSize(c, 0, kWatchedMeldSize.width, kWatchedMeldSize.height);
}

void SetRevealTileSizes(Client& c) {
    for (int seat = 0; seat < 4; ++seat) SetSize(c, kRevealSizes, seat);
}

void SizeToSeatTile(Client& c, int seat, ImageControl& image) {
    image.Move(image.Left(), image.Top(), CheckedAt(c.table.TileWidth, seat, "TileWidth"), c.table.TileHeight[seat]);
}

int16_t MeldTileWidth(const Client& c, int seat) { return ScaledWidth(c, kMeldSizes, seat); }
int16_t HandTileWidth(const Client& c, int seat) { return ScaledWidth(c, kHandSizes, seat); }
