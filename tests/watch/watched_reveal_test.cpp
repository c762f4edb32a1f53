// The watched hand laid open at the end of a hand: it showed backs, so every
// tile gets its face, also once a wild tile is known.
#include "play/RevealHands.h"
#include "watch/WatchFixture.h"

namespace {
class WatchedRevealTest : public WatchFixture {};

TEST_F(WatchedRevealTest, EveryWatchedTileShowsItsFaceWhenTheHandsAreRevealed) {
    for (int16_t wildTile : {int16_t(-1), int16_t(0x29)}) {
        SCOPED_TRACE(wildTile);
        NewHand();
        c.table.WildTile = wildTile;
        // Already in display order, so sorting exchanges no tile.
        const std::vector<int> watched{0x81, 0x83, 0x42, 0x25, 0x11};
        Hold(0, watched);
        for (int seat = 1; seat < 4; ++seat) Hold(seat, {0}, 110 + seat);
        for (int seat = 1; seat < 4; ++seat) {
            std::array<int16_t, 4> words{0, 0, 0, 0x41};
            RevealHands(c, kSeatBits[seat], words);
        }
        for (int k = 0; k < int(watched.size()); ++k)
            EXPECT_EQ(PictureOf(100 + k), TilePicture(kOwnHandSet, watched[size_t(k)])) << k;
    }
}
}  // namespace
