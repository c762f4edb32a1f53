#include "wire/General.h"
#include "play/DiscardRows.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "table/StackingOrder.h"
#include "table/TableSurface.h"
#include "table/TileAccess.h"
#include "watch/WatchDiscardRows.h"
#include "watch/WatchView.h"
#include "watch/WatchedHand.h"

namespace {
constexpr int kFullVolume = 3000;
constexpr double kEnlargement = 1.2;
constexpr double kEnlargedSeconds = 1.0;

// Once the discard is known and voiced, a step that fails is left out and
// the discard is drawn as far as it can be.
template <typename Step>
void SkipIfFailing(Step step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

// The discard, a fifth larger, in the middle of the table for a second.
void ShowEnlarged(Client& c, int seat, int16_t imageIndex) {
    ImageControl& image = TileImage(c, imageIndex);
    const double width = kEnlargement * c.table.TileWidth[seat], height = kEnlargement * c.table.TileHeight[seat];
    const TableSurface& surface = *c.mainForm->Pic1;
    image.Move((surface.width() - width) / 2, (surface.height() - height) / 2, width, height);
    StackDiscard(seat, image);
    SleepSeconds(c, kEnlargedSeconds);
}
}  // namespace

void SideShowDiscard(Client& c, uint8_t seatBit, int16_t tile) {
    TableState& t = c.table;
    t.LastDiscardTile = tile;
    if (tile == 0) return;
    const int seat = LocalSeatOfBit(c, seatBit);
    SeatInfo& discarder = c.seatInfo[seat];

    SkipIfFailing([&] {
        if (!c.sound.EffectSoundOn) return;
        PlaySoundFile(c, VoiceFileName(c, c.playerInfo[seat], TileVoiceSuffix(tile)), false);
        SetSoundVolume(c, kFullVolume);
    });
    t.LastDiscarder = static_cast<int16_t>(seat);
    SkipIfFailing([&] { SetDiscardTileSize(c, seat); });
    // The discard is the run's last tile; the watched seat's is first exchanged there by its code.
    // A run without the tile leaves no image to lay: the steps on it are skipped.
    t.LastDiscardImage = -1;
    SkipIfFailing([&] {
        const int last = discarder.FirstConcealed + discarder.ConcealedCount - 1;
        if (seat == 0) GatherWatchedTiles(c, {{tile, last}});
        t.LastDiscardImage = SeatSlot(discarder, last).Image;
    });
    SkipIfFailing([&] { ShowTileImage(c, t.LastDiscardImage, TilePicture(seat, tile)); });
    SkipIfFailing([&] {
        if (t.TableRebuilt) ShowEnlarged(c, seat, t.LastDiscardImage);
    });
    SkipIfFailing([&] { LayInDiscardRow(c, seat, t.LastDiscardImage); });
    SkipIfFailing([&] {
        if (seat == 3) ListRightDiscard(c, t.LastDiscardImage);
    });
    SkipIfFailing([&] { MoveDiscardPlaceOn(c, seat); });
    if (discarder.ConcealedCount > 0) --discarder.ConcealedCount;
    // The wild indicator a rebuild laid on the wall stays on top.
    SkipIfFailing([&] {
        if (t.IndicatorImage >= 0) BringToFront(TileImage(c, t.IndicatorImage));
    });
}
