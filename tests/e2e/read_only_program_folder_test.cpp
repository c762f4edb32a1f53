// The real client run by an ordinary user from a program folder installed for
// all users, which that user cannot write, with the hand history of an
// earlier table left in it.
#include "wire/GamePacket.h"
#include "dravik-server/TableSeating.h"
#include "support/FakeGameServer.h"
#include "support/ScriptedHand.h"
#include "support/TableProcess.h"
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
const QString kTable = QStringLiteral("Dravik麻将");
const QByteArray kEarlierTable = "[juNum:1]\r\ncount( 0 )=1\r\ncount( 0 )( 0 )=an earlier table\r\n";

bool SetMode(const QString& path, mode_t mode) { return ::chmod(QFile::encodeName(path).constData(), mode) == 0; }

bool GiveTo(const QString& path, const passwd& user) {
    return ::chown(QFile::encodeName(path).constData(), user.pw_uid, user.pw_gid) == 0;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsLeave(const GamePacket& p) {
    return (p[2] << 8 | p[3]) == MessageType::ReadyOrLeave && std::all_of(p.begin() + 8, p.begin() + 16, [](uint8_t b) { return b == 0; });
}
bool IsReady(const GamePacket& p) { return (p[2] << 8 | p[3]) == MessageType::ReadyOrLeave && p[15] == 1; }

bool Sent(const FakeGameServer& server, bool (*kind)(const GamePacket&)) {
    const std::vector<GamePacket> packets = server.Received();
    return std::any_of(packets.begin(), packets.end(), kind);
}
}  // namespace

// The old history can be neither removed nor replaced: the user still sits
// down, the hand ends and is settled, the client says it is ready for the next
// one, and leaves the table when the lobby asks; the old file stays as it was.
TEST(ReadOnlyProgramFolder, AnOrdinaryUserSitsDownPlaysAndLeavesPastAHistoryTheyCannotRemove) {
    const passwd* nobody = ::getpwnam("nobody");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || !nobody || setpriv.isEmpty()) GTEST_SKIP() << "runs as root with setpriv and the user nobody";

    QTemporaryDir root;
    ASSERT_TRUE(SetMode(root.path(), 0755));
    const QString program = root.filePath(QStringLiteral("program"));
    const QString history = program + QStringLiteral("/info.Jokro");
    const QString home = root.filePath(QStringLiteral("home"));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    for (const QString& folder : {program, home, runtime}) ASSERT_TRUE(QDir().mkdir(folder));
    {
        QFile earlier(history);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write(kEarlierTable);
    }
    ASSERT_TRUE(SetMode(history, 0644));
    ASSERT_TRUE(SetMode(program, 0555));
    ASSERT_TRUE(GiveTo(home, *nobody));
    ASSERT_TRUE(SetMode(runtime, 0700));
    ASSERT_TRUE(GiveTo(runtime, *nobody));

    LobbyRecorder lobby(runtime, QStringLiteral("Jokro山庄"));
    // The lobby is root's here; its endpoint must let the user connect.
    for (const QString& endpoint : QDir(runtime).entryList(QDir::System)) ASSERT_TRUE(SetMode(runtime + '/' + endpoint, 0666));
    FakeGameServer server;
    TableProcess table(setpriv, runtime);
    table.SetEnvironment(QStringLiteral("DRAVIK_PROGRAM_DIR"), program);
    table.SetEnvironment(QStringLiteral("HOME"), home);
    table.Start({QStringLiteral("--reuid=%1").arg(nobody->pw_uid), QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"), kTableBinary, DirectCommandLine(server.Port())});
    ASSERT_TRUE(lobby.WaitForMessage(0x303, 15000)) << table.Stderr().toStdString();

    for (const GamePacket& packet : SeatingPackets("abc")) server.Send(packet);
    // A drawn hand: four seat results without money; its countdown of 15 s then says ready.
    for (uint8_t seatBit : {1, 2, 4, 8}) server.Send(EncodeGamePacket(HandMessage(MessageType::SeatResult, seatBit, 0, 1)));
    WaitUntil([&] { return Sent(server, IsReady) || table.WaitForExit(0); }, 40000);
    ASSERT_TRUE(Sent(server, IsReady)) << table.Stderr().toStdString();
    EXPECT_EQ(Contents(history), kEarlierTable);

    lobby.frames.clear();
    ASSERT_TRUE(lobby.link.PostMessage(kTable, 0x303, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return Sent(server, IsLeave); }, 10000)) << table.Stderr().toStdString();
    ASSERT_TRUE(lobby.WaitForMessage(0x400, 10000)) << table.Stderr().toStdString();
    EXPECT_EQ(Contents(history), kEarlierTable);

    ASSERT_TRUE(lobby.link.PostMessage(kTable, 0x10, 0, 0));
    ASSERT_TRUE(table.WaitForExit(10000));
    EXPECT_TRUE(table.EndedWithStatusZero()) << table.Stderr().toStdString();
    EXPECT_TRUE(table.Stderr().contains(QStringLiteral("the table window was closed"))) << table.Stderr().toStdString();
}
