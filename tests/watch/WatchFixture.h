#pragma once
#include "wire/General.h"
#include "table/TileAccess.h"
#include "messages/ServerMessageDispatch.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <vector>

// The command line of a spectator watching user 100001: no final "$".
inline QString SpectatorCommandLine() { return QStringLiteral("abc$pw$127.0.0.1$4000$北京$100001"); }

// Seats local seats 0 to 3 at the bits of kSeatBits, every seat speaking with
// voice code "00", set "10", a male voice (Sex 1, VoiceSex 3): "v001013".
inline void SeatWithOneVoice(Client& c) {
    for (int s = 0; s < 4; ++s) {
        c.seatInfo[s].SeatBit = kSeatBits[s];
        PlayerInfo& p = c.playerInfo[s];
        p.VoiceCode = QStringLiteral("00");
        p.VoiceSet = QStringLiteral("10");
        p.Sex = 1;
        p.VoiceSex = 3;
    }
}

// Where a tile image lies.
struct Place {
    double left, top;
    bool operator==(const Place&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Place& p) { return out << "(" << p.left << ", " << p.top << ")"; }
inline Place PlaceOf(const ImageControl& image) { return {image.Left(), image.Top()}; }

// A loaded spectator's client watching seat bit 1, seated by
// SeatWithOneVoice, at a 1024 × 768 table, scale 1, with the wall laid out
// and empty hands.
class WatchFixture : public ::testing::Test {
protected:
    WatchFixture() : t(SpectatorCommandLine()) {}

    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        ASSERT_TRUE(c.table.SpectatorMode);
        SeatWithOneVoice(c);
        NewHand();
    }

    // Clears the table for a new hand; the wall front stands at 40.
    void NewHand() {
        RearmTable(c);
        c.table.WallFront = 40;
        c.table.WallBack = 38;
        t.sound->played.clear();
    }

    // Gives a seat a concealed run of these codes on images first, first + 1, ...
    // standing at their hand places as backs, as the deals would have laid them.
    void Hold(int seat, const std::vector<int>& tiles, int first = 100) {
        SeatInfo& s = c.seatInfo[seat];
        SetHandTileSize(c, seat);
        for (int k = 0; k < int(tiles.size()); ++k) {
            const int slot = s.FirstConcealed + s.ConcealedCount + k;
            s.Slots[slot] = {1, int16_t(tiles[k]), int16_t(first + k), 0};
            Image(first + k).Move(s.HandX + slot * 48.0, s.HandY, c.table.TileWidth[seat], c.table.TileHeight[seat]);
            ShowTileImage(c, int16_t(first + k), BackPicture(seat));
        }
        s.ConcealedCount = int16_t(s.ConcealedCount + tiles.size());
    }

    ImageControl& Image(int index) { return *c.mainForm->MJ_Image.at(index); }
    Place PlaceOf(int index) { return ::PlaceOf(Image(index)); }
    int16_t PictureOf(int index) { return c.table.TileImagePictures.at(index); }
    const TileSlot& Slot(int seat, int slot) { return c.seatInfo[seat].Slots.at(slot); }
    std::vector<QString> Played() const {
        std::vector<QString> paths;
        for (const PlayedSound& s : t.sound->played) paths.push_back(s.path);
        return paths;
    }
    // A seat's voice file saying what the suffix names.
    QString Voice(const QString& suffix) { return c.sound.VoiceFolder + QStringLiteral("v001013") + suffix; }

    TestClient t;
    Client& c = *t;
};
