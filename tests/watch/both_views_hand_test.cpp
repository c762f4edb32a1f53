// One scripted hand played by a player's client and by a spectator's client
// watching the same seat: each view's own numbers, and the same tile codes
// in the watched seat's run throughout.
#include "wire/GamePacket.h"
#include "shared/PlayState.h"
#include "support/ScriptedHand.h"
#include "table/Sound.h"
#include "watch/WatchFixture.h"
#include <algorithm>

namespace {
constexpr uint8_t kOwnBit = 1;

// The server sends a spectator every message of the hand but the prompts.
bool SpectatorGets(const HandStep& step) { return step.server && step.server->MsgType != MessageType::ActionPrompt; }

class BothViewsHand : public ::testing::Test {
protected:
    void SetUp() override {
        SeatAtScriptedTable(player, 15);
        ASSERT_EQ(player->seatInfo[0].SeatBit, kOwnBit);
        ASSERT_EQ(spectator.Load(), std::nullopt);
        spectator.Tick(4);
        SeatWithOneVoice(*spectator);
    }

    // Plays every step up to and including the last one with this label:
    // the player all of them, the spectator what the server sends it.
    void PlayThrough(const QString& label) {
        int last = -1;
        for (int i = 0; i < int(hand.size()); ++i)
            if (hand[i].label == label) last = i;
        ASSERT_GE(last, next) << label.toStdString();
        for (; next <= last; ++next) {
            PlayStep(player, hand[next]);
            if (SpectatorGets(hand[next])) PlayStep(spectator, hand[next]);
        }
    }

    static std::vector<int> RunTiles(const Client& c) {
        const SeatInfo& own = c.seatInfo[0];
        std::vector<int> tiles;
        for (int k = 0; k < own.ConcealedCount; ++k) tiles.push_back(own.Slots[own.FirstConcealed + k].Tile & 0xFF);
        std::sort(tiles.begin(), tiles.end());
        return tiles;
    }
    // Both views hold the same codes in the watched seat's run and the same counters and wall ends.
    void ExpectSameHand() {
        const SeatInfo& p = player->seatInfo[0];
        const SeatInfo& s = spectator->seatInfo[0];
        EXPECT_EQ(RunTiles(*spectator), RunTiles(*player));
        EXPECT_EQ(s.ConcealedCount, p.ConcealedCount);
        EXPECT_EQ(s.FirstConcealed, p.FirstConcealed);
        EXPECT_EQ(s.MeldEnd, p.MeldEnd);
        EXPECT_EQ(spectator->table.WallFront, player->table.WallFront);
        EXPECT_EQ(spectator->table.WallBack, player->table.WallBack);
        for (int seat = 1; seat < 4; ++seat) {
            EXPECT_EQ(spectator->seatInfo[seat].ConcealedCount, player->seatInfo[seat].ConcealedCount) << seat;
            EXPECT_EQ(spectator->seatInfo[seat].MeldEnd, player->seatInfo[seat].MeldEnd) << seat;
        }
    }
    static Place PlaceOf(TestClient& t, int image) { return ::PlaceOf(*t->mainForm->MJ_Image.at(image)); }
    static int16_t PictureOf(TestClient& t, int image) { return t->table.TileImagePictures.at(image); }
    // The images of a meld group, in order of their indexes.
    static std::vector<int> MeldImages(TestClient& t, int first) {
        std::vector<int> images;
        for (int slot = first; slot < first + 3; ++slot) images.push_back(t->seatInfo[0].Slots[slot].Image);
        std::sort(images.begin(), images.end());
        return images;
    }

    // Plays the hand after the deal: the spectator voices every discard;
    // after a rebuild it also announces the other seats' claims and pauses
    // 1 s per discard and 2 s per claim of another seat.
    void ExpectVoicesAndPauses(bool rebuilt) {
        PlayThrough("deal");
        spectator->table.TableRebuilt = rebuilt;
        const double slept = spectator.clock->sleptSeconds;
        spectator.sound->played.clear();
        double expectedPause = 0;
        std::vector<QString> expectedVoices;
        const QString voice = spectator->sound.VoiceFolder + QStringLiteral("v001013");
        for (int i = next; i < int(hand.size()); ++i) {
            if (!SpectatorGets(hand[i])) continue;
            const GameMessage& m = *hand[i].server;
            if (m.MsgType == MessageType::TileDiscarded && m.Param[3] != 0) {
                expectedVoices.push_back(voice + TileVoiceSuffix(m.Param[3] & 0xFF) + QStringLiteral(".wav"));
                if (rebuilt) expectedPause += 1;
            }
            if (m.MsgType == MessageType::MeldMade && m.SeatBit != kOwnBit && rebuilt) {
                const bool pung = m.Param[0] == OperationBit::Pung;
                expectedVoices.push_back(voice + (pung ? QStringLiteral("02.wav") : QStringLiteral("03.wav")));
                expectedPause += 2;
            }
        }
        PlayThrough("win");
        std::vector<QString> voices;
        for (const PlayedSound& s : spectator.sound->played)
            if (s.path.startsWith(spectator->sound.VoiceFolder)) voices.push_back(s.path);
        EXPECT_EQ(voices, expectedVoices);
        EXPECT_DOUBLE_EQ(spectator.clock->sleptSeconds - slept, expectedPause);
        ExpectSameHand();
    }

    TestClient player;
    TestClient spectator{SpectatorCommandLine()};
    const std::vector<HandStep> hand = ScriptedHand();
    int next = 0;
};

TEST_F(BothViewsHand, TheDealLaysTheSameImagesFaceUpForThePlayerAndAsBacksForTheSpectator) {
    PlayThrough("deal");
    ExpectSameHand();
    EXPECT_EQ(spectator->table.WallFront, 13);
    for (int slot = 4; slot < 18; ++slot) {
        SCOPED_TRACE(slot);
        const TileSlot& p = player->seatInfo[0].Slots[slot];
        const TileSlot& s = spectator->seatInfo[0].Slots[slot];
        EXPECT_EQ(s.Tile, p.Tile);
        EXPECT_EQ(s.Image, p.Image);
        EXPECT_EQ(PictureOf(player, p.Image), TilePicture(kOwnHandSet, p.Tile));
        EXPECT_EQ(PictureOf(spectator, s.Image), BackPicture(0));
        // The player knows the wild tile: its drawn 14th tile stands half a
        // tile apart. The spectator's hand start has forgotten it again.
        const bool apart = slot == 17;
        EXPECT_EQ(PlaceOf(player, p.Image), (Place{19.0 + 48 * slot + (apart ? 24 : 0), 564}));
        EXPECT_EQ(PlaceOf(spectator, s.Image),
                  (Place{19.0 + 48 * slot + (apart && spectator->table.WildTile > 0 ? 24 : 0), 564}));
    }
    // Only the player's view sets another seat's drawn tile 10 pixels apart.
    const int rightDraw = spectator->seatInfo[3].Slots[16].Image;
    EXPECT_EQ(rightDraw, player->seatInfo[3].Slots[16].Image);
    EXPECT_EQ(PlaceOf(spectator, rightDraw), (Place{942 - 5.0 * 17, 560 - 17.5 * 17}));
    EXPECT_EQ(PlaceOf(player, rightDraw), (Place{942 - 5.0 * 17, 560 - 17.5 * 17 - 10}));
}

TEST_F(BothViewsHand, ThePlayersDiscardWaitsInTheCentreTheSpectatorsGoesStraightIntoTheRow) {
    PlayThrough("first discard");
    EXPECT_EQ(player->table.LastDiscardImage, 12);
    EXPECT_EQ(spectator->table.LastDiscardImage, 12);
    EXPECT_EQ(PlaceOf(player, 12), (Place{488, 345}));
    EXPECT_EQ(PlaceOf(spectator, 12), (Place{358, 438}));
    EXPECT_EQ(PictureOf(spectator, 12), TilePicture(0, 0x29));
    EXPECT_EQ(spectator->seatInfo[0].DiscardX, 358 + 36);
    ExpectSameHand();

    // The next draw parks the player's discard where the spectator's already lies.
    PlayThrough("pung");
    EXPECT_EQ(PlaceOf(player, 12), PlaceOf(spectator, 12));
    ExpectSameHand();
}

TEST_F(BothViewsHand, EachViewLaysTheWatchedSeatsMeldsAtItsOwnPlacesFromTheSameTiles) {
    PlayThrough("pung");
    ExpectSameHand();
    EXPECT_EQ(MeldImages(spectator, 1), MeldImages(player, 1));
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(slot);
        const int image = spectator->seatInfo[0].Slots[slot].Image;
        EXPECT_EQ(spectator->seatInfo[0].Slots[slot].Tile, 0x45);
        EXPECT_EQ(spectator->seatInfo[0].Slots[slot].Flag, 3);
        EXPECT_EQ(PictureOf(spectator, image), TilePicture(0, 0x45));
        EXPECT_EQ(PlaceOf(spectator, image), (Place{19.0 + 43 * slot, 564}));
        EXPECT_EQ(spectator->mainForm->MJ_Image[image]->Height(), 56);
        const int playerImage = player->seatInfo[0].Slots[slot].Image;
        EXPECT_EQ(PlaceOf(player, playerImage), (Place{19.0 + 43 * (slot + 1), 564}));
        EXPECT_EQ(player->mainForm->MJ_Image[playerImage]->Height(), 60);
    }

    PlayThrough("other kong");
    ExpectSameHand();
    // The right seat's kong of the own discard lies at the same places in both
    // views; the spectator's own row gives the claimed discard's place back.
    const SeatInfo& right = spectator->seatInfo[3];
    for (int slot = 2; slot <= 4; ++slot)
        EXPECT_EQ(PlaceOf(spectator, right.Slots[slot].Image), PlaceOf(player, player->seatInfo[3].Slots[slot].Image));
    EXPECT_EQ(spectator->seatInfo[0].DiscardX, 358 + 36);
    EXPECT_EQ(PictureOf(spectator, right.Slots[3].Image), TilePicture(3, 0x11));
    EXPECT_EQ(spectator->table.RightDiscardCount, player->table.RightDiscardCount);

    PlayThrough("chow");
    ExpectSameHand();
    // The meld row shows the faces in the message's order, left to right.
    const int16_t chow[] = {0x84, 0x85, 0x86};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(PictureOf(spectator, spectator->seatInfo[0].Slots[4 + k].Image), TilePicture(0, chow[k])) << k;
    PlayThrough("mid-hand");
    ExpectSameHand();

    PlayThrough("concealed kong");
    ExpectSameHand();
    // The player sees the own concealed kong face down, the spectator its faces.
    for (int slot = 7; slot <= 9; ++slot) {
        EXPECT_EQ(PictureOf(player, player->seatInfo[0].Slots[slot].Image), FaceDownPicture(0));
        EXPECT_EQ(PictureOf(spectator, spectator->seatInfo[0].Slots[slot].Image), TilePicture(0, 0x27));
    }

    PlayThrough("one-tile kong");
    ExpectSameHand();
    const int kongTile = spectator->seatInfo[0].Slots[10].Image;
    EXPECT_EQ(PictureOf(spectator, kongTile), TilePicture(0, 0x45));
    EXPECT_EQ(PlaceOf(spectator, kongTile), (Place{19.0 + 2 * 43, 564 - 18}));
    EXPECT_EQ(PlaceOf(player, kongTile), (Place{19.0 + 3 * 43, 564 - 18}));

    PlayThrough("win");
    ExpectSameHand();
    EXPECT_EQ(spectator->table.WinnerSeat, 0);
    EXPECT_EQ(player->table.WinnerSeat, 0);
}

TEST_F(BothViewsHand, BeforeARebuildTheSpectatorVoicesEveryDiscardWithoutPausing) { ExpectVoicesAndPauses(false); }

TEST_F(BothViewsHand, AfterARebuildTheSpectatorPausesForEveryDiscardAndOtherSeatsClaim) { ExpectVoicesAndPauses(true); }
}  // namespace
