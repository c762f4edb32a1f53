// Follows every seat bit through every piece of the table that shows its
// seat — the compass, the portrait, the hand, the discard row and its bubble,
// the melds and their bubble, the ready mark — for each own seat bit, and
// checks that they all stand where the seat order puts the seat: the seat that
// plays before the own seat on the left, the one after it on the right.
#include "wire/General.h"
#include "dravik-server/HandPackets.h"
#include "dravik-server/ServerPackets.h"
#include "dravik-server/TableSeating.h"
#include "play/ClaimButtons.h"
#include "play/MouseDiscard.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/pictures/CompassPictures.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>

namespace {
constexpr int kLeftButton = 1;
constexpr int kPungButton = 1;
constexpr int kDiscardRounds = 6;
constexpr std::array<std::array<Rules::Tile, 4>, 3> kOwnPasses{
    {{0x81, 0x82, 0x83, 0x84}, {0x86, 0x86, 0x42, 0x43}, {0x45, 0x45, 0x27, 0x27}}};

// Where one piece of each seat showed, by seat bit, and the middle of the
// surface it lies on.
using Trail = std::map<uint8_t, std::vector<QPointF>>;
struct Piece {
    QPointF middle;
    Trail seats;
};

QPointF Centre(const ImageControl& c) { return {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2}; }

QPointF Mean(const std::vector<QPointF>& points) {
    QPointF sum;
    for (const QPointF& p : points) sum += p;
    return sum / double(points.size());
}

// The seat bit at local seat r of a client whose own seat bit is `own`.
uint8_t BitAt(uint8_t own, int r) { return IndexToBit(static_cast<int16_t>((BitToIndex(own) + 4 - r) % 4)); }

// The other seats' pieces must run, from left to right, the seat before the
// own seat, the opposite seat, the seat after the own seat, the first in the
// left half and the last in the right half; the own seat's piece lies in the
// lower half, below all of them.
void ExpectSides(const std::string& name, uint8_t own, const Piece& piece) {
    std::vector<std::pair<double, uint8_t>> others;
    for (const auto& [bit, points] : piece.seats) {
        ASSERT_FALSE(points.empty()) << name << " of bit " << int(bit);
        if (bit != own) others.emplace_back(Mean(points).x(), bit);
    }
    std::sort(others.begin(), others.end());
    std::vector<int> leftToRight;
    for (const auto& other : others) leftToRight.push_back(other.second);
    const std::string where = name + ", own seat bit " + std::to_string(own);
    ASSERT_EQ(leftToRight, (std::vector<int>{BitAt(own, 1), BitAt(own, 2), BitAt(own, 3)}))
        << where << ": seat bits from left to right";
    EXPECT_LT(others.front().first, piece.middle.x()) << where << ": the left seat's piece";
    EXPECT_GT(others.back().first, piece.middle.x()) << where << ": the right seat's piece";
    if (!piece.seats.contains(own)) return;
    const double ownY = Mean(piece.seats.at(own)).y();
    EXPECT_GT(ownY, piece.middle.y()) << where << ": the own piece";
    for (const auto& other : others)
        EXPECT_GT(ownY, Mean(piece.seats.at(other.second)).y()) << where << ": the own piece lies above bit " << int(other.second);
}

// A client seated at one seat that plays a scripted hand and notes, by seat
// bit, where each piece of every seat appears.
class SeatSides {
public:
    explicit SeatSides(int ownSeat) : ownSeat_(ownSeat), own_(BitOf(ownSeat)) {
        SeatAtScriptedTable(t_, 8, ownSeat);
        const QImage compass = DrawCompass(BitToIndex(own_));
        Piece& onCompass = pieces_["compass"];
        onCompass.middle = QPointF(compass.width(), compass.height()) / 2;
        for (int seat = 0; seat < 4; ++seat)
            onCompass.seats[BitOf(seat)].push_back(CompassWindCentre(BitToIndex(own_), BitToIndex(BitOf(seat))));
        Portraits(Seats("portrait"));
        Deal();
        Melds();
        ReadyMarks(Seats("ready mark"));
    }

    uint8_t Own() const { return own_; }
    const std::map<std::string, Piece>& Pieces() const { return pieces_; }

private:
    MainForm& Form() { return *t_->mainForm; }
    // A piece of the table surface.
    Trail& Seats(const std::string& name) {
        Piece& piece = pieces_[name];
        piece.middle = QPointF(Form().Pic1->width(), Form().Pic1->height()) / 2;
        return piece.seats;
    }
    uint8_t Bit(int turn) const { return BitOf((ownSeat_ + turn) % 4); }  // 0 the own seat, 1 the next in turn

    void Portraits(Trail& trail) {
        for (int seat = 0; seat < 4; ++seat) {
            const QString nick = seat == ownSeat_ ? QStringLiteral("abc") : ComputerRecord(seat).nickName;
            for (int k = 0; k < 4; ++k)
                if (Form().Nid[size_t(k)]->Caption().endsWith(nick)) trail[BitOf(seat)].push_back(Centre(*Form().Tou[size_t(k)]));
        }
    }

    // The hand and every tile the seats discard in six rounds; the own seat deals.
    void Deal() {
        Trail& hands = Seats("hand");
        Receive(HandStartPacket(own_, {3, 4, 2, 5}));
        for (const auto& ownPass : kOwnPasses)
            for (int turn = 0; turn < 4; ++turn)
                Collect(hands[Bit(turn)], Receive(DealTilesPacket(Bit(turn), turn == 0 ? ownPass : std::array<Rules::Tile, 4>{})));
        for (int turn = 0; turn <= 4; ++turn) {
            const Rules::Tile tile = turn == 0 ? 0x11 : turn == 4 ? 0x29 : 0;
            Collect(hands[Bit(turn)], Receive(TileDrawnPacket(Bit(turn % 4), tile)));
        }
        Receive(ActionPromptPacket(own_, Rules::kPass));
        for (int round = 0; round < kDiscardRounds; ++round) {
            const Rules::Tile drawn = Rules::Tile(0x21 + round);
            if (round > 0) OwnTurn(drawn);
            else OwnDiscard(0x29);
            for (int turn = 1; turn < 4; ++turn) OtherTurn(turn, Rules::Tile(0x11 + turn));
        }
    }

    // A pung by every seat, each of the discard before it.
    void Melds() {
        Trail& melds = Seats("meld");
        OwnTurn(0x26);
        OtherTurn(1, 0x45);
        Receive(ActionPromptPacket(own_, Rules::kPung | Rules::kPass));
        MainForm_Operation_Click(*t_, kPungButton);
        Collect(melds[own_], Receive(MeldMadePacket(own_, Rules::kPung, {0x45, 0x45, 0x45})));
        Receive(ActionPromptPacket(own_, 0));
        OwnDiscard(0x81);
        Rules::Tile claimed = 0x81;
        for (int turn = 1; turn < 4; ++turn) {
            HideAll(Form().Speak);
            Collect(melds[Bit(turn)], Receive(MeldMadePacket(Bit(turn), Rules::kPung, {claimed, claimed, claimed})));
            Seats("claim bubble")[Bit(turn)].push_back(ShownBubble(Form().Speak));
            claimed = Rules::Tile(0x17 - turn);
            Receive(TileDiscardedPacket(Bit(turn), claimed));
        }
    }

    // The ready marks, last: the third one re-arms the table.
    void ReadyMarks(Trail& trail) {
        for (int turn = 0; turn < 4; ++turn) {
            const int seat = (ownSeat_ + turn) % 4;
            const QByteArray account = turn == 0 ? QByteArray("abc") : ComputerRecord(seat).account;
            std::vector<bool> before;
            for (const ImageControl* mark : Form().OK) before.push_back(mark->isVisible());
            Receive(PlayerReadyPacket(BitOf(seat), account));
            for (size_t k = 0; k < Form().OK.size(); ++k)
                if (Form().OK[k]->isVisible() && !before[k]) trail[BitOf(seat)].push_back(Centre(*Form().OK[k]));
        }
    }

    // Delivers one packet; returns the centres of the tiles it moved.
    std::vector<QPointF> Receive(const GamePacket& packet) {
        std::vector<QRectF> before;
        for (const ImageControl* tile : Form().MJ_Image) before.emplace_back(tile->Left(), tile->Top(), tile->Width(), tile->Height());
        t_.Deliver(ToByteArray(packet));
        t_.Tick(2);
        std::vector<QPointF> moved;
        for (size_t k = 0; k < Form().MJ_Image.size(); ++k) {
            const ImageControl& tile = *Form().MJ_Image[k];
            if (QRectF(tile.Left(), tile.Top(), tile.Width(), tile.Height()) != before[k]) moved.push_back(Centre(tile));
        }
        return moved;
    }

    static void Collect(std::vector<QPointF>& into, const std::vector<QPointF>& points) {
        EXPECT_FALSE(points.empty());
        into.insert(into.end(), points.begin(), points.end());
    }

    static void HideAll(const std::vector<ImageControl*>& bubbles) {
        for (ImageControl* bubble : bubbles) bubble->setVisible(false);
    }

    // The one bubble up; the test hides them all before the packet that shows it.
    static QPointF ShownBubble(const std::vector<ImageControl*>& bubbles) {
        const auto shown = std::find_if(bubbles.begin(), bubbles.end(), [](const ImageControl* b) { return b->isVisible(); });
        EXPECT_EQ(std::count_if(bubbles.begin(), bubbles.end(), [](const ImageControl* b) { return b->isVisible(); }), 1);
        return shown == bubbles.end() ? QPointF() : Centre(**shown);
    }

    // The draw of the seat after the discarder parks the discard in its
    // discarder's row; for the own discard only that seat's draw does.
    void DrawAfterDiscard(uint8_t drawer, Rules::Tile tile) {
        const QPointF middle = Centre(*Form().MJ_Image[size_t(lastDiscard_)]);
        Receive(TileDrawnPacket(drawer, tile));
        const QPointF parked = Centre(*Form().MJ_Image[size_t(lastDiscard_)]);
        EXPECT_NE(parked, middle) << "the discard of bit " << int(lastDiscarder_) << " stays in the middle at the draw of bit "
                                  << int(drawer);
        Seats("discard row")[lastDiscarder_].push_back(parked);
    }

    void OwnTurn(Rules::Tile drawn) {
        DrawAfterDiscard(own_, drawn);
        Receive(ActionPromptPacket(own_, 0));
        OwnDiscard(drawn);
    }

    void OwnDiscard(Rules::Tile tile) {
        lastDiscard_ = OwnTileImage(*t_, tile);
        ASSERT_GE(lastDiscard_, 0);
        lastDiscarder_ = own_;
        MainForm_MJ_Image_MouseDown(*t_, lastDiscard_, kLeftButton, 0, 0, 0);
        Receive(TileDiscardedPacket(own_, tile));
    }

    // Another seat draws and discards with its bubble.
    void OtherTurn(int turn, Rules::Tile tile) {
        DrawAfterDiscard(Bit(turn), 0);
        GameMessage discard = DecodeGamePacketFull(TileDiscardedPacket(Bit(turn), tile).data());
        discard.Param[0] = 3;
        HideAll(Form().tsSpeak);
        Receive(EncodeGamePacket(discard));
        lastDiscard_ = t_->table.LastDiscardImage;
        lastDiscarder_ = Bit(turn);
        Seats("discard bubble")[Bit(turn)].push_back(ShownBubble(Form().tsSpeak));
    }

    TestClient t_;
    int ownSeat_;
    uint8_t own_;
    int lastDiscard_ = -1;
    uint8_t lastDiscarder_ = 0;
    std::map<std::string, Piece> pieces_;
};

TEST(SeatSides, EverySeatsPiecesStandOnTheSideOfItsPlaceInTheSeatOrder) {
    for (int ownSeat = 0; ownSeat < 4; ++ownSeat) {
        SCOPED_TRACE(testing::Message() << "own seat bit " << (1 << ownSeat));
        const SeatSides table(ownSeat);
        EXPECT_EQ(table.Pieces().size(), 8u);
        for (const auto& [name, piece] : table.Pieces()) ExpectSides(name, table.Own(), piece);
    }
}
}  // namespace
