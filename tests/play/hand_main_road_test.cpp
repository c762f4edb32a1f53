// A whole hand at the own seat through the client's receive path, on the
// virtual clock: what the client sends and where the tiles lie.
#include "wire/GamePacket.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/TilePictures.h"
#include <gtest/gtest.h>

namespace {
struct Answer {
    int type, p0, p1, p2, p3;
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << "{" << a.type << ", " << std::hex << a.p0 << ", " << a.p1 << ", " << a.p2 << ", " << a.p3 << "}"
               << std::dec;
}

class HandMainRoad : public ::testing::Test {
protected:
    void SetUp() override {
        SeatAtScriptedTable(t, 15);
        ASSERT_EQ(t->seatInfo[0].SeatBit, 1);
        t.socket->sent.clear();
    }

    // Plays every step up to and including the last one with this label.
    void PlayThrough(const QString& label) {
        int last = -1;
        for (int i = 0; i < int(hand.size()); ++i)
            if (hand[i].label == label) last = i;
        ASSERT_GE(last, next) << label.toStdString();
        for (; next <= last; ++next) PlayStep(t, hand[next]);
    }

    // The discards and claim answers sent since the last call, whole words.
    std::vector<Answer> Answers() {
        std::vector<Answer> answers;
        for (const QByteArray& packet : t.Sent()) {
            const GameMessage m = DecodeGamePacketFull(reinterpret_cast<const uint8_t*>(packet.constData()));
            if (m.MsgType != MessageType::Discard && m.MsgType != MessageType::ClaimAnswer) continue;
            EXPECT_EQ(m.SeatBit, 1);
            answers.push_back({m.MsgType, uint16_t(m.Param[0]), uint16_t(m.Param[1]), uint16_t(m.Param[2]),
                               uint16_t(m.Param[3])});
        }
        t.socket->sent.clear();
        return answers;
    }

    ImageControl& Image(int index) { return *t->mainForm->MJ_Image.at(index); }
    void ExpectPlace(int image, double left, double top, double width, double height) {
        SCOPED_TRACE(image);
        EXPECT_DOUBLE_EQ(Image(image).Left(), left);
        EXPECT_DOUBLE_EQ(Image(image).Top(), top);
        EXPECT_DOUBLE_EQ(Image(image).Width(), width);
        EXPECT_DOUBLE_EQ(Image(image).Height(), height);
        EXPECT_TRUE(Image(image).isVisible());
    }
    int16_t PictureOf(int image) { return t->table.TileImagePictures.at(image); }
    std::vector<int> OwnConcealedTiles() {
        std::vector<int> tiles;
        const SeatInfo& own = t->seatInfo[0];
        for (int i = 0; i < own.ConcealedCount; ++i) tiles.push_back(own.Slots[own.FirstConcealed + i].Tile & 0xFF);
        return tiles;
    }

    TestClient t;
    const std::vector<HandStep> hand = ScriptedHand();
    int next = 0;
};

constexpr int kPass = 7, kDiscard = 2;
const Answer kPassAnswer{kPass, 1, 0, 0, 0};
Answer DiscardOf(int tile) { return {kDiscard, 0, 0, 0, 0x4000 | tile}; }
Answer Claim(int op, int t0, int t1, int t2) { return {kPass, op, t0 ? 0x2000 | t0 : 0, t1 ? 0x2000 | t1 : 0, 0x2000 | t2}; }
}  // namespace

TEST_F(HandMainRoad, TheDealLaysTheOwnHandFaceUpFromTheWallFrontAndTheOthersAsBacks) {
    PlayThrough("set-up");
    EXPECT_EQ(t->table.WallFront, 96);
    EXPECT_EQ(t->table.WallBack, 94);
    EXPECT_EQ(t->seatInfo[0].DealerFlag, -1);
    EXPECT_EQ(t->mainForm->Zhuang->Caption(), QStringLiteral("北"));
    EXPECT_EQ(t->table.WildTile, 0x17);

    PlayThrough("deal");
    // A wild tile is known, so the hand stays in dealt order.
    EXPECT_EQ(OwnConcealedTiles(), (std::vector<int>{0x81, 0x82, 0x83, 0x84, 0x86, 0x86, 0x42, 0x43, 0x45, 0x45, 0x27,
                                                     0x27, 0x11, 0x29}));
    const std::array<int, 14> images{96, 97, 98, 99, 112, 113, 114, 115, 128, 129, 130, 131, 8, 12};
    for (int i = 0; i < 14; ++i) {
        const TileSlot& slot = t->seatInfo[0].Slots[4 + i];
        EXPECT_EQ(slot.Image, images[i]) << i;
        EXPECT_EQ(PictureOf(slot.Image), TilePicture(kOwnHandSet, slot.Tile)) << i;
        // The last tile drawn stands half a tile apart.
        ExpectPlace(slot.Image, 19 + (4 + i) * 48 + (i == 13 ? 24 : 0), 564, 48, 78);
    }
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(t->seatInfo[s].ConcealedCount, 13) << s;
    EXPECT_EQ(PictureOf(100), 115);  // the right seat's first tile: a standing back of its side
    EXPECT_EQ(PictureOf(104), 79);
    EXPECT_EQ(PictureOf(108), 43);
    EXPECT_EQ(t->table.WallFront, 13);
}

TEST_F(HandMainRoad, TheUsersMovesSendOneAnswerPerPromptWithThePassBeforeEachDiscard) {
    PlayThrough("deal");
    t.socket->sent.clear();
    PlayThrough("first discard");
    EXPECT_EQ(Answers(), (std::vector<Answer>{kPassAnswer, DiscardOf(0x29)}));
    ExpectPlace(12, 488, 345, 36, 50);
    EXPECT_EQ(PictureOf(12), TilePicture(0, 0x29));
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 13);

    PlayThrough("pung");
    EXPECT_EQ(Answers(), (std::vector<Answer>{Claim(8, 0x45, 0x45, 0x45), kPassAnswer, DiscardOf(0x11)}));
    // The right seat's draw parked the own first discard at the start of the own row.
    ExpectPlace(12, 358, 438, 36, 50);
    const SeatInfo& own = t->seatInfo[0];
    EXPECT_EQ(own.MeldEnd, 6);
    EXPECT_EQ(own.FirstConcealed, 7);
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(own.Slots[s].Tile, 0x45);
        EXPECT_EQ(own.Slots[s].Flag, 3);
        ExpectPlace(own.Slots[s].Image, 19 + (s + 1) * 43.0, 564, 45, 60);
    }
    EXPECT_EQ(OwnConcealedTiles(), (std::vector<int>{0x81, 0x82, 0x83, 0x84, 0x86, 0x86, 0x42, 0x43, 0x27, 0x27}));

    PlayThrough("chow offer");
    EXPECT_TRUE(Answers().empty());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(t->mainForm->Chi[i]->isVisible(), i < 4) << i;
    PlayThrough("chow");
    EXPECT_EQ(Answers(), (std::vector<Answer>{Claim(4, 0x84, 0x86, 0x85), kPassAnswer, DiscardOf(0x86)}));
    EXPECT_EQ(OwnConcealedTiles(), (std::vector<int>{0x81, 0x82, 0x83, 0x42, 0x43, 0x27, 0x27}));

    PlayThrough("mid-hand");
    EXPECT_EQ(Answers(), (std::vector<Answer>{kPassAnswer, DiscardOf(0x43)}));

    PlayThrough("concealed kong");
    EXPECT_EQ(Answers(), (std::vector<Answer>{Claim(32, 0x27, 0x27, 0x27)}));
    PlayThrough("one-tile kong");
    EXPECT_EQ(Answers(), (std::vector<Answer>{Claim(64, 0, 0, 0x45)}));
    PlayThrough("time-out");
    EXPECT_EQ(Answers(), (std::vector<Answer>{kPassAnswer, DiscardOf(0x41)}));
    PlayThrough("win");
    EXPECT_EQ(Answers(), (std::vector<Answer>{{kPass, 128, 0, 0, 0}}));
    EXPECT_EQ(t->table.WinnerSeat, 0);
}

TEST_F(HandMainRoad, KongsTakeTheirReplacementTilesFromTheWallBack) {
    PlayThrough("other kong");
    // The right seat's kong of the own discard shows the tile the message
    // carries in its third word on all four tiles, and its replacement tile
    // is the wall's back tile.
    const SeatInfo& right = t->seatInfo[3];
    EXPECT_EQ(right.MeldEnd, 7);
    EXPECT_EQ(PictureOf(8), TilePicture(3, 0x11));
    for (int slot = 2; slot <= 4; ++slot) EXPECT_EQ(PictureOf(right.Slots[slot].Image), TilePicture(3, 0x11)) << slot;
    EXPECT_EQ(t->table.WallBack, 95);

    PlayThrough("concealed kong");
    const SeatInfo& own = t->seatInfo[0];
    EXPECT_EQ(own.Slots[own.FirstConcealed + own.ConcealedCount - 1].Image, 95);
    EXPECT_EQ(PictureOf(95), TilePicture(kOwnHandSet, 0x45));
    for (int slot = 7; slot <= 9; ++slot) EXPECT_EQ(PictureOf(own.Slots[slot].Image), 8) << slot;

    PlayThrough("one-tile kong");
    // The fourth 0x45 lies on the middle tile of the own pung.
    const int kongTile = t->table.LastDiscardImage;
    EXPECT_EQ(PictureOf(kongTile), TilePicture(0, 0x45));
    EXPECT_DOUBLE_EQ(Image(kongTile).Left(), Image(own.Slots[2].Image).Left());
    EXPECT_DOUBLE_EQ(Image(kongTile).Top(), 564 - 18);
    EXPECT_EQ(own.Slots[own.FirstConcealed + own.ConcealedCount - 1].Image, 92);
}
