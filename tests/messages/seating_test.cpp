#include "wire/GamePacket.h"
#include "messages/PlayerInfoRecord.h"
#include "platform/AnsiCodec.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "support/UnkeptHistory.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/SeatRecords.h"
#include "table/Sound.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
constexpr uint8_t kOwnRecord = 15;
constexpr uint8_t kSeatToBeFound = 0;

struct Player {
    QString account;
    const char* nickName;
    const char* nameTag;
    QByteArray avatar;
    uint8_t sex;
    uint64_t money;
    const char* level;
    bool ready;
};

GamePacket SeatName(uint8_t seatBit, const QByteArray& name) {
    GameMessage message;
    message.MsgType = MessageType::SeatName;
    message.SeatBit = seatBit;
    return EncodeGamePacket(message, name);
}

GamePacket PlayerJoined(uint8_t seatBit, const Player& p) {
    std::array<uint8_t, kPacketSize> record{};
    auto put = [&](int offset, const QByteArray& bytes) { std::copy(bytes.begin(), bytes.end(), record.begin() + offset); };
    put(16, AnsiCodec::ToAnsi(QString::fromUtf8(p.nickName)));
    put(48, p.avatar);
    record[64] = p.sex;
    for (int k = 0; k < 8; ++k) record[96 + k] = static_cast<uint8_t>(p.money >> (8 * k));
    put(112, AnsiCodec::ToAnsi(QString::fromUtf8(p.level)));
    put(168, p.account.toLatin1());
    put(184, AnsiCodec::ToAnsi(QString::fromUtf8(p.nameTag)));
    record[208] = p.ready ? 1 : 0;
    put(210, "27");
    put(218, "20");
    GameMessage message;
    message.MsgType = MessageType::PlayerJoined;
    message.SeatBit = seatBit;
    return EncodeGamePacket(message, QByteArray(reinterpret_cast<const char*>(record.data()) + 16, 244));
}

// The own account of the test client is "abc"; the server names it at index 2.
const std::array<QByteArray, 4> kNames{"dan", "bob", "abc", "eve"};
const Player kOwn{"abc", "我自己", "", "m3", 1, 1234, "新手", false};
const std::array<Player, 3> kOthers{{
    {"bob", "张三", "高手", "w3", 0, 500, "雀圣", true},
    {"dan", "李四", "", "m10", 1, 0, "", true},
    {"eve", "王五", "VIP", "w12", 1, 4294967296ull, "雀王", false},
}};

class Seating : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t->table.Random.seed(7);
    }

    void Receive(const GamePacket& packet) {
        t.Deliver(ToByteArray(packet));
        t.Tick(2);
    }
    void NameTheSeats() {
        for (int i = 0; i < 4; ++i) Receive(SeatName(static_cast<uint8_t>(1 << i), kNames[i]));
    }
    void SeatEverybody() {
        NameTheSeats();
        Receive(PlayerJoined(kOwnRecord, kOwn));
        for (const Player& p : kOthers) Receive(PlayerJoined(kSeatToBeFound, p));
    }
    MainForm& Form() { return *t->mainForm; }
    // Own seat bit 4: the wind draw turned up 南 (face 147 - 2) and the compass is that of index 2.
    void ExpectSeatingClosedAfterARearm() {
        EXPECT_TRUE(t->table.TableCleared) << "re-armed";
        EXPECT_FALSE(t->table.SeatOrderPending);
        EXPECT_EQ(t->table.SeatMsgCount, 5);
        EXPECT_EQ(std::count(t->table.TileImagePictures.begin(), t->table.TileImagePictures.begin() + 4, 147 - 2), 1);
        EXPECT_TRUE(Form().ZhiNan->isVisible());
        EXPECT_EQ(Form().ZhiNan->Picture().toImage(), PictureOfResource(t->resourceIds.CompassIds[2]).toImage());
        for (const PlayerInfo& p : t->playerInfo) EXPECT_EQ(p.VoiceCode, "00");
    }
    QImage PortraitOf(int index) { return PictureOfResource(t->resourceIds.PortraitIds[index]).toImage(); }

    TestClient t;
};
}  // namespace

TEST_F(Seating, PlayersFillTheTableAndASeatingPlacesThemAll) {
    // The three others join without server seats: the third fills the table.
    for (const Player& p : kOthers) Receive(PlayerJoined(kSeatToBeFound, p));
    EXPECT_EQ(t->table.PlayerCount, 3);
    EXPECT_TRUE(t->table.TableCleared);
    ASSERT_EQ(Form().Sysmsg[0]->count(), 1);
    EXPECT_EQ(Form().Sysmsg[0]->item(0)->text(), QStringLiteral("游戏将在15秒内开始"));
    int minimised = 0;
    for (const LobbyFrame& frame : t.lobby->frames) minimised += frame.msg == 0x112 && frame.wParam == 0xF020;
    EXPECT_EQ(minimised, 1);

    ASSERT_TRUE(QDir().mkpath(t->platform.paths.ProgramDir()));
    QFile history(t->platform.paths.Resolve(QStringLiteral("\\info.Jokro")));
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    history.close();
    t->table.HandNumber = 4;
    t->table.TotalScore = {1, 2, 3, 4};
    t->TimerKeepAlive.SetEnabled(true);

    NameTheSeats();
    EXPECT_FALSE(history.exists());
    EXPECT_EQ(t->table.HandNumber, 0);
    EXPECT_EQ(t->table.TotalScore, (std::array<double, 4>{}));
    EXPECT_FALSE(t->TimerKeepAlive.Enabled());
    EXPECT_TRUE(t->window.AnNiuUsed[2]);
    const std::array<uint8_t, 4> bits{4, 2, 1, 8};
    const QStringList accounts{"abc", "bob", "dan", "eve"};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(t->seatInfo[s].SeatBit, bits[s]) << s;
        EXPECT_EQ(t->seatInfo[s].Account, accounts[s]) << s;
    }

    Receive(PlayerJoined(kOwnRecord, kOwn));
    EXPECT_FALSE(t->window.AnNiuUsed[2]);
    for (int k = 0; k < 3; ++k) Receive(PlayerJoined(bits[k + 1], kOthers[k]));

    const std::array<Player, 4> seated{kOwn, kOthers[0], kOthers[1], kOthers[2]};
    const std::array<int, 4> portraits{2, 12, 9, 10};
    const QStringList labels{"[] 我自己", "[高手] 张三", "[] 李四", "[VIP] 王五"};
    const QStringList cash{"1234金币", "500金币", "0金币", "4294967296金币"};
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const PlayerInfo& info = t->playerInfo[s];
        EXPECT_EQ(t->seatInfo[s].Account, seated[s].account);
        EXPECT_EQ(info.Account, seated[s].account);
        EXPECT_EQ(info.NickName, QString::fromUtf8(seated[s].nickName));
        EXPECT_EQ(info.Money, double(seated[s].money));
        EXPECT_EQ(Form().Nid[s]->Caption(), labels[s]);
        EXPECT_EQ(Form().Cash[s]->Caption(), cash[s]);
        EXPECT_EQ(Form().Level[s]->Caption(), QString::fromUtf8(seated[s].level));
        EXPECT_EQ(Form().OK[s]->isVisible(), seated[s].ready);
        EXPECT_EQ(Form().Tou[s]->Picture().toImage(), PortraitOf(portraits[s]));
        EXPECT_EQ(t->Score().ID[s]->text(), info.NickName);
        EXPECT_EQ(t->Score().Tou[s]->pixmap().toImage(), PortraitOf(portraits[s]));
        EXPECT_EQ(t->Hero().ID[s]->text(), info.NickName);
        EXPECT_EQ(t->Hero().Tou[s]->pixmap().toImage(), PortraitOf(portraits[s]));
        // The seat order gives every seat a voice of its sex.
        EXPECT_EQ(info.VoiceCode, "00");
        EXPECT_TRUE(QStringList({"10", "20", "30"}).contains(info.VoiceSet)) << info.VoiceSet.toStdString();
        if (info.Sex == 1) {
            EXPECT_NE(info.VoiceSet, "20");
        }
        EXPECT_EQ(info.VoiceSex, info.Sex == 0 ? 2 : 3);
        EXPECT_EQ(t->table.SeatVoiceSet[s], info.VoiceSet);
        EXPECT_FALSE(VoiceFileName(*t, info, QStringLiteral("1")).isEmpty());
    }

    // The fourth record closed the seating with the wind draw ending on the own wind (seat bit 4: 南) and the compass.
    EXPECT_FALSE(t->table.SeatOrderPending);
    EXPECT_EQ(t->table.SeatMsgCount, 5);
    EXPECT_EQ(std::count(t->table.TileImagePictures.begin(), t->table.TileImagePictures.begin() + 4, 147 - 2), 1);
    EXPECT_TRUE(Form().ZhiNan->isVisible());
    EXPECT_EQ(Form().ZhiNan->Picture().toImage(), PictureOfResource(t->resourceIds.CompassIds[2]).toImage());
    EXPECT_FALSE(t->window.AnNiuUsed[5]);
    EXPECT_FALSE(t->window.AnNiuUsed[6]);
}

// A history file that cannot be removed (a folder in its place) does not
// stop the seating: the client sits down and the ticker says once that the
// hands of the table are not stored.
TEST_F(Seating, AHistoryThatCannotBeRemovedIsPassedOverAndTheSeatingGoesOn) {
    PutFolderInPlaceOfHistory(*t);
    NameTheSeats();
    EXPECT_EQ(t->seatInfo[0].SeatBit, 4);
    EXPECT_EQ(t->seatInfo[1].Account, QStringLiteral("bob"));
    EXPECT_EQ(HandsNotRecordedShown(*t), 1);
    Receive(PlayerJoined(kOwnRecord, kOwn));
    for (int k = 0; k < 3; ++k) Receive(PlayerJoined(std::array<uint8_t, 3>{2, 1, 8}[k], kOthers[k]));
    EXPECT_FALSE(t->table.SeatOrderPending);
    EXPECT_EQ(t->playerInfo[1].NickName, QStringLiteral("张三"));
    EXPECT_TRUE(QFileInfo(HandHistoryPath(*t)).isDir());
}

TEST_F(Seating, SeatNamesGiveTheLocalSeatOrderFromTheOwnName) {
    struct Case {
        std::array<QByteArray, 4> names;
        std::array<uint8_t, 4> bits;
        QStringList accounts;
    } cases[] = {
        {{"dan", "bob", "abc", "eve"}, {4, 2, 1, 8}, {"abc", "bob", "dan", "eve"}},
        {{"abc", "bob", "dan", "eve"}, {1, 8, 4, 2}, {"abc", "eve", "dan", "bob"}},
        {{"abc", "bob", "abc", "eve"}, {4, 2, 1, 8}, {"abc", "bob", "abc", "eve"}},  // the higher index wins
        {{"x", "y", "z", "w"}, {4, 2, 1, 8}, {"abc", "bob", "abc", "eve"}},          // no own name: all stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names[0].toStdString());
        // The names extend their entries, which the table resets empty before a seating.
        ResetHandState(*t);
        for (int i = 0; i < 4; ++i) Receive(SeatName(static_cast<uint8_t>(1 << i), c.names[i]));
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(t->seatInfo[s].SeatBit, c.bits[s]) << s;
            EXPECT_EQ(t->seatInfo[s].Account, c.accounts[s]) << s;
        }
        EXPECT_EQ(t->table.SeatMsgCount, 0);
        EXPECT_TRUE(t->table.SeatOrderPending);
    }
}

// Without a reset between them, the second seating's names extend the
// first's and name nobody: the seats found at the first stay.
TEST_F(Seating, NamesReceivedAgainWithoutAResetKeepTheSeatOrderOfTheFirst) {
    NameTheSeats();
    const std::array<QByteArray, 4> moved{"abc", "bob", "dan", "eve"};
    for (int i = 0; i < 4; ++i) Receive(SeatName(static_cast<uint8_t>(1 << i), moved[i]));
    EXPECT_EQ(t->table.SeatNames[0], QStringLiteral("danabc"));
    EXPECT_EQ(t->seatInfo[0].SeatBit, 4);
    EXPECT_EQ(t->seatInfo[2].Account, QStringLiteral("dan"));
}

TEST_F(Seating, ASpectatorsKeepAliveGoesOnThroughTheNames) {
    t->table.SpectatorMode = true;
    t->TimerKeepAlive.SetEnabled(true);
    NameTheSeats();
    EXPECT_TRUE(t->TimerKeepAlive.Enabled());
}

TEST_F(Seating, ASpectatorGathersFourRecordsAndShowsNothingBeforeTheFourth) {
    t->table.SpectatorMode = true;
    NameTheSeats();
    Receive(PlayerJoined(kOwnRecord, kOwn));
    for (int i = 0; i < 2; ++i) Receive(PlayerJoined(kSeatToBeFound, kOthers[i]));
    for (int s = 0; s < 4; ++s) EXPECT_TRUE(Form().Nid[s]->Caption().isEmpty()) << "seat " << s;
    Receive(PlayerJoined(kSeatToBeFound, kOthers[2]));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(t->table.SpectatorInfoPackets[k][3], MessageType::PlayerJoined) << k;
    EXPECT_FALSE(Form().Nid[1]->Caption().isEmpty()) << "the fourth record goes on as a player's";

    // A fifth record has no place and changes nothing.
    const QString before2 = Form().Nid[2]->Caption(), before3 = Form().Nid[3]->Caption();
    Receive(PlayerJoined(kSeatToBeFound, Player{"zed", "赵六", "", "m1", 1, 1, "", false}));
    EXPECT_EQ(Form().Nid[2]->Caption(), before2);
    EXPECT_EQ(Form().Nid[3]->Caption(), before3);
}

TEST_F(Seating, RecordsWithServerSeatBitsGoToTheirLocalSeats) {
    NameTheSeats();  // own seat bit 4
    struct Case {
        uint8_t seatBit;
        int seat;
    } cases[] = {{1, 2}, {8, 3}, {2, 1}};
    for (const Case& c : cases) {
        Receive(PlayerJoined(c.seatBit, kOthers[0]));
        EXPECT_EQ(Form().Nid[c.seat]->Caption(), QStringLiteral("[高手] 张三")) << int(c.seatBit);
    }
    EXPECT_EQ(t->table.PlayerCount, 0);
    // A record for the own seat under its real bit is not shown but completes the seating.
    EXPECT_TRUE(t->table.SeatOrderPending);
    Receive(PlayerJoined(4, kOthers[1]));
    EXPECT_TRUE(Form().Nid[0]->Caption().isEmpty());
    EXPECT_FALSE(t->table.SeatOrderPending);
}

// The record that completes a seating may also be the one that re-arms the
// table: the seating is closed all the same, with the wind draw, the compass
// at the own wind and the voices.
TEST_F(Seating, TheRecordThatFillsTheTableStillCompletesTheSeating) {
    SeatEverybody();
    ExpectSeatingClosedAfterARearm();
}

TEST_F(Seating, TheRecordThatFindsEverybodyReadyAfterAHandStillCompletesTheSeating) {
    t->table.HandStarted = 1;
    NameTheSeats();
    Receive(PlayerJoined(kOwnRecord, kOwn));
    for (uint8_t bit : {2, 1, 8}) {
        Player ready = kOthers[0];
        ready.ready = true;
        Receive(PlayerJoined(bit, ready));
    }
    ExpectSeatingClosedAfterARearm();
}

TEST_F(Seating, APlayerWithoutASeatIsDroppedAndARepeatIgnored) {
    SeatEverybody();
    const PlayerInfo own = t->playerInfo[0];
    const QString ownLabel = Form().Nid[0]->Caption();

    Receive(PlayerJoined(kSeatToBeFound, kOthers[1]));  // already seated
    Receive(PlayerJoined(kSeatToBeFound, {"zed", "赵六", "", "m1", 1, 9, "", true}));  // no free seat

    EXPECT_EQ(t->table.PlayerCount, 3);
    EXPECT_EQ(t->seatInfo[0].Account, "abc");
    EXPECT_EQ(t->playerInfo[0].NickName, own.NickName);
    EXPECT_EQ(Form().Nid[0]->Caption(), ownLabel);
    EXPECT_FALSE(Form().OK[0]->isVisible());
    for (int s = 1; s < 4; ++s) EXPECT_NE(t->seatInfo[s].Account, "zed");
}

TEST_F(Seating, VoicePicksOfOneSexAreNotGivenTwice) {
    // Five male picks give "10" three times and "30" twice, so four men never get "30" three times.
    for (quint32 seed = 0; seed < 50; ++seed) {
        t->table.Random.seed(seed);
        NameTheSeats();
        Receive(PlayerJoined(kOwnRecord, kOwn));
        for (uint8_t bit : {2, 1, 8}) Receive(PlayerJoined(bit, kOthers[1]));  // men
        int thirties = 0;
        for (const PlayerInfo& p : t->playerInfo) thirties += p.VoiceSet == "30";
        ASSERT_LE(thirties, 2) << seed;
    }
}

TEST_F(Seating, ASeatOfNeitherSexKeepsItsDecodedVoice) {
    NameTheSeats();
    Player odd = kOwn;
    odd.sex = 2;
    Receive(PlayerJoined(kOwnRecord, odd));
    for (uint8_t bit : {2, 1, 8}) Receive(PlayerJoined(bit, kOthers[0]));
    EXPECT_EQ(t->playerInfo[0].VoiceCode, "27");
    EXPECT_EQ(t->playerInfo[0].VoiceSet, "20");
    EXPECT_EQ(t->playerInfo[0].VoiceSex, 3);
}
