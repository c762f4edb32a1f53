// The hand-history file: every finished hand's score board stored under its
// number and put back onto the board, with the names coloured by the results.
#include "wire/IniFile.h"
#include "platform/AnsiCodec.h"
#include "results/HandHistory.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "support/UnkeptHistory.h"
#include "table/MainForm.h"
#include "table/SideWindows.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

class HandHistory : public ::testing::Test {
protected:
    void Fill(int list, const QStringList& lines) {
        QListWidget& l = *t->Score().State[list];
        l.clear();
        l.addItems(lines);
    }
    QStringList Lines(int list) {
        QStringList lines;
        const QListWidget& l = *t->Score().State[list];
        for (int i = 0; i < l.count(); ++i) lines << l.item(i)->text();
        return lines;
    }
    QColor NameColor(int seat) { return t->Score().ID[seat]->palette().color(QPalette::WindowText); }
    QByteArray FileBytes() {
        QFile file(HandHistoryPath(*t));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    classIniFile File() {
        classIniFile ini;
        ini.SetINIFileName(HandHistoryPath(*t));
        return ini;
    }
    TestClient t;
};

TEST_F(HandHistory, EachListIsStoredAsACountAndItsLinesInOrder) {
    QStringList seatLines;
    for (int j = 0; j < 25; ++j) seatLines << QStringLiteral("line %1").arg(j);
    Fill(0, seatLines);
    Fill(4, {QStringLiteral("最终分：100金币")});
    SaveHandHistory(*t, 3);
    QByteArray expected = "[juNum:3]\r\ncount( 0 )=25\r\n";
    for (int j = 0; j < 25; ++j) expected += QStringLiteral("count( 0 )( %1 )=line %1\r\n").arg(j).toLatin1();
    for (int i = 1; i < 8; ++i) {
        expected += QStringLiteral("count( %1 )=%2\r\n").arg(i).arg(i == 4 ? 1 : 0).toLatin1();
        if (i == 4) expected += "count( 4 )( 0 )=" + AnsiCodec::ToAnsi(QStringLiteral("最终分：100金币")) + "\r\n";
    }
    EXPECT_EQ(FileBytes(), expected);

    SaveHandHistory(*t, 4);
    EXPECT_TRUE(FileBytes().startsWith(expected)) << "a later hand goes after the earlier one";
    EXPECT_TRUE(FileBytes().contains("[juNum:4]\r\ncount( 0 )=25\r\n"));
}

TEST_F(HandHistory, ReloadingTrimsTheLinesAndFitsEachListToItsCount) {
    Fill(0, {QStringLiteral("   房间条数:  3"), QString(), QStringLiteral("  "), QStringLiteral("对对胡         5番")});
    Fill(4, {QStringLiteral("最终分：-20金币")});
    SaveHandHistory(*t, 1);
    // the board shows another hand meanwhile: one list longer, one shorter
    QStringList thirty, three{"a", "b", "c"};
    for (int j = 0; j < 30; ++j) thirty << QStringLiteral("x");
    Fill(0, three);
    Fill(2, thirty);
    LoadHandHistory(*t, 1);
    EXPECT_EQ(Lines(0), (QStringList{QStringLiteral("房间条数:  3"), " ", " ", QStringLiteral("对对胡         5番")}));
    EXPECT_EQ(Lines(2), QStringList{}) << "the stored count 0 empties the list";
    EXPECT_EQ(Lines(4), QStringList{QStringLiteral("最终分：-20金币")});
}

TEST_F(HandHistory, ASecondShorterSaveOfOneHandShowsOnlyItsOwnLines) {
    Fill(1, {"1", "2", "3", "4"});
    SaveHandHistory(*t, 2);
    Fill(1, {"one"});
    SaveHandHistory(*t, 2);
    Fill(1, {"shown"});
    LoadHandHistory(*t, 2);
    EXPECT_EQ(Lines(1), QStringList{"one"});
}

TEST_F(HandHistory, NamesOfSeatsThatGainedTurnRedTheOthersGreen) {
    struct Case {
        const char* name;
        QStringList finals;  // lists 4 to 7, line 0; a null string writes no line
        std::array<bool, 4> red;
    };
    const Case cases[] = {
        {"one winner", {QStringLiteral("最终分：2700金币"), QStringLiteral("最终分：0金币"), QStringLiteral("最终分：-900金条"), QStringLiteral("最终分：-1800金币")}, {true, false, false, false}},
        {"two gained", {QStringLiteral("最终分：5金条"), QStringLiteral("最终分：1.5金币"), QStringLiteral("最终分：0金币"), QStringLiteral("最终分：-6金币")}, {true, true, false, false}},
        {"a drawn hand", {QStringLiteral("最终分：0金币"), QStringLiteral("最终分：0金币"), QStringLiteral("最终分：0金币"), QStringLiteral("最终分：0金币")}, {false, false, false, false}},
        // between the first seat result and the settlement the lines are short or missing
        {"short or missing lines", {QStringLiteral("最终"), QStringLiteral("最终分：金币"), QString(), QStringLiteral("9")}, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString section = QStringLiteral("juNum:%1").arg(&c - cases + 1);
        for (int i = 0; i < 4; ++i) {
            if (c.finals[i].isNull()) continue;
            File().WriteIniKeys(section, {{QStringLiteral("count( %1 )").arg(i + 4), "1"}, {QStringLiteral("count( %1 )( 0 )").arg(i + 4), c.finals[i]}});
        }
        for (int s = 0; s < 4; ++s) SetForeColor(*t->Score().ID[s], Qt::blue);
        LoadHandHistory(*t, int16_t(&c - cases + 1));
        for (int s = 0; s < 4; ++s) EXPECT_EQ(NameColor(s), c.red[s] ? kRed : kGreen) << "seat " << s;
    }
}

TEST_F(HandHistory, AMissingOrBrokenCountStopsTheLoadAtThatList) {
    const QStringList counts[] = {{"1", "1", ""}, {"1", "1", "2x"}, {"1", "1", "-1"}, {"1", "1", "99999"}};
    for (const QStringList& stored : counts) {
        SCOPED_TRACE(stored.last().toStdString());
        File().DelIniSec(QStringLiteral("juNum:5"));
        for (int i = 0; i < 3; ++i) {
            if (!stored[i].isEmpty()) File().WriteIniKey(QStringLiteral("juNum:5"), QStringLiteral("count( %1 )").arg(i), stored[i]);
            File().WriteIniKey(QStringLiteral("juNum:5"), QStringLiteral("count( %1 )( 0 )").arg(i), QStringLiteral("stored %1").arg(i));
        }
        for (int i = 0; i < 8; ++i) Fill(i, {QStringLiteral("kept")});
        LoadHandHistory(*t, 5);
        EXPECT_EQ(Lines(0), QStringList{"stored 0"});
        EXPECT_EQ(Lines(1), QStringList{"stored 1"});
        for (int i = 2; i < 8; ++i) EXPECT_EQ(Lines(i), QStringList{"kept"}) << "list " << i;
    }
}

TEST_F(HandHistory, HandZeroChangesNothingNotEvenTheColours) {
    Fill(0, {"shown"});
    SetForeColor(*t->Score().ID[0], Qt::blue);
    LoadHandHistory(*t, 0);
    EXPECT_EQ(Lines(0), QStringList{"shown"});
    EXPECT_EQ(NameColor(0), QColor(Qt::blue));
}

TEST_F(HandHistory, AnUnwritableFileIsSkippedAndLeavesNoPartialFile) {
    ASSERT_TRUE(QDir().mkpath(HandHistoryPath(*t)));  // a folder where the file should be
    Fill(0, {"lost"});
    EXPECT_NO_THROW(SaveHandHistory(*t, 1));
    EXPECT_TRUE(QFileInfo(HandHistoryPath(*t)).isDir());
    StartHandHistory(*t);
    EXPECT_TRUE(QFileInfo(HandHistoryPath(*t)).isDir()) << "a folder is not the file; it stays";
}

// A history that cannot be kept is given up for the seating: the ticker says
// so once, hands are no longer stored, and reloading a hand leaves the board
// with the hand the settlement put there, names coloured as they were.
TEST_F(HandHistory, AHistoryThatCannotBeKeptIsGivenUpOnceAndReloadsLeaveTheBoardAsItIs) {
    struct Case {
        const char* name;
        void (*block)(const Client&);
        bool noticeAtSeating;
    };
    const Case cases[] = {
        {"a folder in the file's place", PutFolderInPlaceOfHistory, true},
        {"a program folder that is a file", TurnProgramFolderIntoAFile, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient fresh;
        Client& client = *fresh;
        ScoreWindow& score = client.Score();
        c.block(client);
        StartHandHistory(client);
        EXPECT_EQ(HandsNotRecordedShown(client), c.noticeAtSeating ? 1 : 0);

        score.State[0]->addItems({"won", "with a pung"});
        score.State[4]->addItem(QStringLiteral("最终分：2700金币"));
        SetForeColor(*score.ID[0], kRed);
        SaveHandHistory(client, 1);
        SaveHandHistory(client, 2);
        EXPECT_EQ(HandsNotRecordedShown(client), 1) << "said once, not at every hand";

        for (int16_t hand : {1, 2}) LoadHandHistory(client, hand);
        EXPECT_EQ(score.State[0]->count(), 2);
        EXPECT_EQ(score.State[0]->item(1)->text(), QStringLiteral("with a pung"));
        EXPECT_EQ(score.ID[0]->palette().color(QPalette::WindowText), kRed);
        for (int s = 1; s < 4; ++s) EXPECT_NE(score.ID[s]->palette().color(QPalette::WindowText), kGreen) << "seat " << s;
    }
}

TEST_F(HandHistory, ASeatingThatRemovesTheFileTakesAGivenUpHistoryUpAgain) {
    const QString history = HandHistoryPath(*t);
    PutFolderInPlaceOfHistory(*t);
    StartHandHistory(*t);
    Fill(0, {"not stored"});
    SaveHandHistory(*t, 1);
    EXPECT_TRUE(QFileInfo(history).isDir());

    ASSERT_TRUE(QDir(history).removeRecursively());
    StartHandHistory(*t);
    Fill(0, {"stored"});
    SaveHandHistory(*t, 1);
    Fill(0, {"shown meanwhile"});
    LoadHandHistory(*t, 1);
    EXPECT_EQ(Lines(0), QStringList{"stored"});
    EXPECT_EQ(HandsNotRecordedShown(*t), 1) << "the one notice of the table";
}
}  // namespace
