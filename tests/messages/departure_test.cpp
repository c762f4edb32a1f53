#include "messages/DepartureHandlers.h"
#include "wire/GamePacket.h"
#include "run/TableClosedNotice.h"
#include "platform/AnsiCodec.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "platform/VideoView.h"
#include "video/VideoWindow.h"
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QString kSpectatorEnds = QStringLiteral("有用户退出，旁观结束！");

// Seat bits: own 2 (local 0); bit 1 is local 1, bit 8 local 2, bit 4 local 3.
constexpr std::array<uint8_t, 4> kSeatBits{2, 1, 8, 4};

QByteArray Packet(int16_t type, uint8_t seatBit, int16_t param3, const QByteArray& payload = {}) {
    GameMessage message;
    message.MsgType = type;
    message.SeatBit = seatBit;
    message.Param[3] = param3;
    return ToByteArray(EncodeGamePacket(message, payload));
}

// A running client at a full table during a hand, with video links to the other seats.
struct SeatedTable {
    SeatedTable() {
        EXPECT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        MainForm& f = *t->mainForm;
        for (int s = 0; s < 4; ++s) {
            t->seatInfo[s].Account = QStringLiteral("acct%1").arg(s);
            t->seatInfo[s].SeatBit = kSeatBits[s];
            PlayerInfo& p = t->playerInfo[s];
            p.Account = t->seatInfo[s].Account;
            p.NickName = QString(QChar('A' + s));
            p.Money = 300;
            p.VoiceCode = QStringLiteral("v");
            p.UserId = 40 + s;
            f.Nid[s]->SetCaption(p.NickName);
            f.Cash[s]->SetCaption(QStringLiteral("300"));
            f.Tou[s]->SetPicture(QPixmap(4, 4));
        }
        for (int s = 1; s <= 3; ++s) {
            f.vshow1[s]->setVisible(true);
            t->video.FirstFrameShown[s] = true;
            t->P2PSocket1.RequestVideo(int16_t(s), t->seatInfo[s].Account);
        }
        t->table.PlayerCount = 3;
        t->table.InGame = true;
        t->table.TableCleared = true;
        // The between-hands countdown runs, far from its end.
        t->scheduler.ReadyCountdownOn = true;
        t->scheduler.ReadyTickTime = t.clock->now;
        t->table.ActionCountdown = 15;
        t->mainForm->Sysmsg[1]->addItem(QStringLiteral("lower"));
        t.socket->sent.clear();
    }

    void Receive(const QByteArray& packet) {
        t.Deliver(packet);
        t.Tick(2);
    }
    void ReceiveFromAccount(int16_t type, const QString& account, int16_t param3 = 0) {
        Receive(Packet(type, 0, param3, account.toLatin1()));
    }

    QString TickerLine(int line) {
        const QListWidget& list = *t->mainForm->Sysmsg[line];
        return list.count() ? list.item(list.count() - 1)->text() : QString();
    }
    bool SeatEmpty(int s) {
        const MainForm& f = *t->mainForm;
        return f.Nid[s]->Caption().isEmpty() && f.Cash[s]->Caption().isEmpty() && f.Tou[s]->Picture().isNull() &&
               t->seatInfo[s].Account.isEmpty() && t->playerInfo[s].NickName.isEmpty() && t->playerInfo[s].Money == 0;
    }
    QString NoticeText() { return t->frmOtherExit ? t->frmOtherExit->Label1->Caption() : QString(); }

    TestClient t;
};

class DepartureTest : public ::testing::Test, protected SeatedTable {};
}  // namespace

TEST_F(DepartureTest, APlayerLeavingEmptiesTheSeatAndItsVideoButKeepsTheVoiceAndId) {
    t->mainForm->OK[2]->setVisible(true);
    ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct2"));
    EXPECT_TRUE(SeatEmpty(2));
    EXPECT_FALSE(t->mainForm->OK[2]->isVisible());
    EXPECT_EQ(t->playerInfo[2].VoiceCode, QStringLiteral("v"));
    EXPECT_EQ(t->playerInfo[2].UserId, 42);
    EXPECT_FALSE(t->mainForm->vshow1[2]->isVisible());
    EXPECT_FALSE(t->video.FirstFrameShown[2]);
    EXPECT_TRUE(t->P2PSocket1.UserID(2).isEmpty());
    EXPECT_EQ(t->P2PSocket1.UserID(1), QStringLiteral("acct1"));
    EXPECT_EQ(t->table.PlayerCount, 2);
    EXPECT_FALSE(t->table.TableCleared);
    EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^C退出了游戏 \\d{1,2}:\\d{1,2}:\\d{1,2}$")).match(TickerLine(0)).hasMatch())
        << TickerLine(0).toStdString();
    EXPECT_EQ(TickerLine(1), QStringLiteral("lower"));
    EXPECT_FALSE(SeatEmpty(1));
    EXPECT_FALSE(SeatEmpty(3));
}

// Slots are not seats: the counter of the slot that carried the leaving
// player starts afresh, and the seat number's slot, carrying someone else, keeps its count.
TEST_F(DepartureTest, APlayerLeavingResetsTheSendCounterOfItsSlotNotOfItsSeatNumber) {
    t->P2PSocket1.RequestVideo(2, t->seatInfo[3].Account);
    t->P2PSocket1.RequestVideo(3, t->seatInfo[2].Account);
    t->video.FrameSendCounter = {0, 7, 8, 9};
    ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct2"));
    EXPECT_EQ(t->video.FrameSendCounter, (std::array<int16_t, 4>{0, 7, 8, 0}));
    EXPECT_TRUE(t->P2PSocket1.UserID(3).isEmpty());
    EXPECT_EQ(t->P2PSocket1.UserID(2), QStringLiteral("acct3"));
    EXPECT_TRUE(t->video.LastVideoFrame[2].isEmpty());
}

TEST_F(DepartureTest, APlayerLeavingHidesOnlyTheirSeatsVideoWindowWithoutClosingIt) {
    for (int s = 1; s <= 3; ++s) VideoWindowOf(*t, s).show();
    ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct2"));
    ASSERT_NE(t->videoWindows[2], nullptr);
    EXPECT_FALSE(t->videoWindows[2]->isVisible());
    EXPECT_TRUE(VideoWindowShown(*t, 1));
    EXPECT_TRUE(VideoWindowShown(*t, 3));
}

// An empty name names no seat and no peer, but it is a departure all the
// same: the countdown stops and a spectator's watch ends; with an empty own
// account it is the own departure.
TEST(DepartureOfAnEmptyName, StopsTheCountdownEmptiesNothingAndEndsAsTheModeAndTheOwnAccountSay) {
    struct Case {
        const char* name;
        bool spectator, ownAccountEmpty;
        bool ends, message, countdownStopped;
    };
    for (const Case& k : {Case{"player", false, false, false, false, true},
                          Case{"spectator", true, false, true, true, true},
                          Case{"player without an own account", false, true, true, false, false}}) {
        SCOPED_TRACE(k.name);
        SeatedTable run;
        TestClient& t = run.t;
        t->table.SpectatorMode = k.spectator;
        if (k.ownAccountEmpty) t->seatInfo[0].Account.clear();
        // A seat and a peer slot that carry no account.
        t->seatInfo[1].Account.clear();
        t->P2PSocket1.RequestVideo(3, QString());
        if (k.ends) {
            EXPECT_THROW(run.ReceiveFromAccount(MessageType::PlayerLeft, QString()), ProgramEnded);
        } else {
            run.ReceiveFromAccount(MessageType::PlayerLeft, QString());
        }
        ASSERT_EQ(t.dialogs->shown.size(), k.message ? 1u : 0u);
        if (k.message) {
            EXPECT_EQ(t.dialogs->shown[0].text, kSpectatorEnds);
        }
        EXPECT_EQ(t->scheduler.ReadyCountdownOn, !k.countdownStopped);
        EXPECT_EQ(t->table.PlayerCount, 3);
        EXPECT_EQ(t->playerInfo[1].NickName, QStringLiteral("B"));
        EXPECT_EQ(t->P2PSocket1.PeerState(3), PeerLink::Asked);
    }
}

TEST_F(DepartureTest, TheOwnAccountLeavingEndsTheClientAtOnce) {
    EXPECT_THROW(ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct0")), ProgramEnded);
    EXPECT_FALSE(SeatEmpty(1));
    EXPECT_TRUE(t.dialogs->shown.empty());
}

TEST_F(DepartureTest, AnUnseatedAccountOnlyStopsTheCountdownAndClosesItsPeerLink) {
    t->P2PSocket1.RequestVideo(3, QStringLiteral("stranger"));
    ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("stranger"));
    EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
    EXPECT_TRUE(t->P2PSocket1.UserID(3).isEmpty());
    EXPECT_EQ(t->table.PlayerCount, 3);
    for (int s = 1; s <= 3; ++s) EXPECT_FALSE(SeatEmpty(s));
}

TEST_F(DepartureTest, ASpectatorEndsWithAMessageOnAnyDeparture) {
    t->table.SpectatorMode = true;
    EXPECT_THROW(ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct3")), ProgramEnded);
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(t.dialogs->shown[0].text, kSpectatorEnds);
    EXPECT_TRUE(SeatEmpty(3));
}

// A spectator's own seat is the watched player's.
TEST_F(DepartureTest, ASpectatorWhoseWatchedPlayerLeavesEndsWithTheSameMessage) {
    t->table.SpectatorMode = true;
    EXPECT_THROW(ReceiveFromAccount(MessageType::PlayerLeft, QStringLiteral("acct0")), ProgramEnded);
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(t.dialogs->shown[0].text, kSpectatorEnds);
}

TEST_F(DepartureTest, ReadyMarksAndTheReArmOfTheTable) {
    struct Case {
        const char* name;
        int16_t param3;
        QString account;
        bool othersAlreadyReady;  // OK(1) and OK(3) visible beforehand
        int16_t handStarted;
        std::array<bool, 4> marks;
        bool rearmed;
    };
    const std::vector<Case> cases = {
        {"ready other seat", 1, "acct2", false, 1, {false, false, true, false}, false},
        {"last other ready", 1, "acct2", true, 1, {false, true, true, true}, true},
        {"not ready marks nothing", 0, "acct2", true, 1, {false, true, false, true}, false},
        {"own mark no rearm", 1, "acct0", false, 1, {true, false, false, false}, false},
        {"before first hand", 1, "acct2", true, 0, {false, true, true, true}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        MainForm& f = *t->mainForm;
        for (auto* mark : f.OK) mark->setVisible(false);
        f.OK[1]->setVisible(k.othersAlreadyReady);
        f.OK[3]->setVisible(k.othersAlreadyReady);
        t->table.HandStarted = k.handStarted;
        t->table.TableCleared = false;
        ReceiveFromAccount(MessageType::PlayerReady, k.account, k.param3);
        for (int s = 0; s < 4; ++s) EXPECT_EQ(f.OK[s]->isVisible(), k.marks[s]) << s;
        EXPECT_EQ(t->table.TableCleared, k.rearmed);
    }
    // With OK(2) already shown, a not-ready message still re-arms.
    t->table.TableCleared = false;
    t->table.HandStarted = 1;
    t->mainForm->OK[2]->setVisible(true);
    ReceiveFromAccount(MessageType::PlayerReady, QStringLiteral("acct2"), 0);
    EXPECT_TRUE(t->table.TableCleared);
}

TEST_F(DepartureTest, AReadyMessageForAFreeSeatMarksNothing) {
    t->mainForm->Nid[2]->SetCaption(QString());
    ReceiveFromAccount(MessageType::PlayerReady, QStringLiteral("acct2"), 1);
    EXPECT_FALSE(t->mainForm->OK[2]->isVisible());
}

TEST_F(DepartureTest, PlayersLeftClosesTheTableEmptiesEverySeatAndSendsNothing) {
    // Seat bit 8 (local 2, nickname C) has gone.
    Receive(Packet(MessageType::GameAborted, 7, 1));
    EXPECT_EQ(NoticeText(), QStringLiteral("玩家C,退出了游戏！游戏结束！"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^C,退出了游戏！ \\d+:\\d+:\\d+$")).match(TickerLine(0)).hasMatch());
    EXPECT_EQ(TickerLine(1), QStringLiteral("C,请退出重新开始游戏."));
    EXPECT_EQ(t->table.PlayerCount, 2);
    for (int s = 1; s <= 3; ++s) EXPECT_TRUE(SeatEmpty(s)) << s;
    EXPECT_FALSE(SeatEmpty(0));
    EXPECT_TRUE(t->Hero().isVisible());
    EXPECT_EQ(t.clock->sleptSeconds, 2);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_EQ(t->Winsock1.State(), TcpLink::StateClosed);
    EXPECT_FALSE(t->table.InGame);
    EXPECT_TRUE(t->table.MustLeaveTable);
    EXPECT_TRUE(t->table.KeepWindowOnDrop);
    EXPECT_FALSE(t->scheduler.ReceiveJobOn);
}

TEST_F(DepartureTest, PlayersLeftNamesTheOwnSeatUnlessItIsTheHighestGone) {
    // Bits 2 (own) and 8 gone: the highest is another seat, so the table closes with both names.
    Receive(Packet(MessageType::GameAborted, 5, 1));
    EXPECT_EQ(NoticeText(), QStringLiteral("玩家A,C,退出了游戏！游戏结束！"));
}

TEST_F(DepartureTest, PlayersLeftWithTheOwnSeatHighestGoneEndsWithoutANotice) {
    t->seatInfo[0].SeatBit = 8;
    EXPECT_THROW(Receive(Packet(MessageType::GameAborted, 7, 1)), ProgramEnded);
    EXPECT_FALSE(t->frmOtherExit);
}

TEST_F(DepartureTest, AbortsThatChangeNothing) {
    for (auto [seats, reason] : {std::pair{15, 1}, std::pair{3, 0}}) {
        Receive(Packet(MessageType::GameAborted, uint8_t(seats), int16_t(reason)));
        EXPECT_FALSE(t->frmOtherExit);
        EXPECT_TRUE(t->table.InGame);
        EXPECT_TRUE(t->scheduler.ReadyCountdownOn);
    }
}

TEST_F(DepartureTest, TheDealerIsNamedWithoutClosingTheTable) {
    Receive(Packet(MessageType::GameAborted, 4, 2));
    EXPECT_EQ(t->mainForm->Zhuang->Caption(), QStringLiteral("南"));
    for (int s = 0; s < 4; ++s) EXPECT_EQ(t->seatInfo[s].DealerFlag != 0, s == 3) << s;
    EXPECT_TRUE(t->table.InGame);
    EXPECT_FALSE(t->frmOtherExit);
}

TEST(DepartureCoins, TheTextsAndEmptiedSeatsFollowWhoIsShortOfCoins) {
    struct Case {
        const char* name;
        uint8_t stillEnough;
        QString ticker;
        QString notice;
        std::array<bool, 4> emptied;
    };
    const std::vector<Case> cases = {
        {"only own", 13, "玩家，acct0金币不够，退出游戏！", "您的金币不够，退出游戏！游戏结束！", {}},
        {"two others", 10, "玩家B，D金币不够，退出游戏！", "玩家B，D的金币不够，退出游戏！游戏结束！", {false, true, false, true}},
        {"other and own", 12, "玩家B，acct0金币不够，退出游戏！", "玩家B以及您的金币不够，退出游戏！游戏结束！", {false, true, false, false}},
        {"nobody", 15, "玩家金币不够，退出游戏！", "的金币不够，退出游戏！游戏结束！", {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SeatedTable run;
        run.Receive(Packet(MessageType::GameAborted, k.stillEnough, 3));
        EXPECT_EQ(run.TickerLine(0), k.ticker);
        EXPECT_EQ(run.TickerLine(1), QStringLiteral("lower"));
        EXPECT_EQ(run.NoticeText(), k.notice);
        int emptied = 0;
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(run.SeatEmpty(s), k.emptied[s]) << s;
            emptied += k.emptied[s];
        }
        EXPECT_EQ(run.t->table.PlayerCount, 3 - emptied);
        EXPECT_TRUE(run.t->Score().isVisible());
        EXPECT_TRUE(run.t.Sent().empty());
        EXPECT_TRUE(run.t->table.KeepWindowOnDrop);
    }
}

TEST_F(DepartureTest, CoinsShortWhileMinimisedLeavesTheScoreBoardHidden) {
    t->mainForm->Minimize();
    Receive(Packet(MessageType::GameAborted, 10, 3));
    EXPECT_FALSE(t->Score().isVisible());
    EXPECT_FALSE(NoticeText().isEmpty());
}

TEST_F(DepartureTest, ASpectatorEndsAfterEitherAbort) {
    for (int16_t reason : {1, 3}) {
        SeatedTable run;
        run.t->table.SpectatorMode = true;
        EXPECT_THROW(run.Receive(Packet(MessageType::GameAborted, 7, reason)), ProgramEnded);
        ASSERT_EQ(run.t.dialogs->shown.size(), 1u);
        EXPECT_EQ(run.t.dialogs->shown[0].text, kSpectatorEnds);
    }
}

TEST_F(DepartureTest, AServerNoticeShowsItsTextAndLeavesThroughTheOpenSocket) {
    Receive(Packet(MessageType::ServerNotice, 0, 0, AnsiCodec::ToAnsi(QStringLiteral("服务器维护，桌子关闭"))));
    EXPECT_EQ(NoticeText(), QStringLiteral("服务器维护，桌子关闭"));
    for (int s = 0; s < 4; ++s) EXPECT_TRUE(t->mainForm->Tou[s]->Picture().isNull()) << s;
    EXPECT_EQ(t->mainForm->Nid[1]->Caption(), QStringLiteral("B"));
    ASSERT_EQ(t.Sent().size(), 1u);
    EXPECT_EQ(uint8_t(t.Sent()[0][3]), MessageType::ReadyOrLeave);
    EXPECT_EQ(uint8_t(t.Sent()[0][6]), kSeatBits[0]);
    EXPECT_EQ(t.clock->sleptSeconds, 2);
    EXPECT_FALSE(t->table.InGame);
    EXPECT_TRUE(t->table.MustLeaveTable);
    EXPECT_TRUE(t->table.KeepWindowOnDrop);
    EXPECT_FALSE(t->scheduler.WatchJobOn);
}

TEST_F(DepartureTest, ANoticeOfTwoHundredBytesWithoutAnEndIsShownWhole) {
    const QByteArray text(200, 'x');
    Receive(Packet(MessageType::ServerNotice, 0, 0, text + "yz"));
    EXPECT_EQ(NoticeText(), QString::fromLatin1(text));
    // A double-byte character whose lead byte is the last of the text takes the byte after it.
    SeatedTable run;
    run.Receive(Packet(MessageType::ServerNotice, 0, 0, QByteArray(199, 'x') + AnsiCodec::ToAnsi(QStringLiteral("中"))));
    EXPECT_EQ(run.NoticeText(), QString(199, 'x') + QStringLiteral("中"));
}
