#include "platform/InstanceLock.h"
#include "platform/RuntimeDir.h"
#include "platform/UnixLobbyLink.h"
#include "support/EventLoopWait.h"
#include "support/ScopedEnv.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <utime.h>
#include <vector>

namespace {

constexpr int kTimeoutMs = 5000;
const QString kCaption = QStringLiteral("Dravik麻将");

using Message = std::tuple<uint32_t, uint32_t, uint32_t>;

// Built byte by byte, as another program would, rather than with the link's own encoder.
QByteArray Frame(uint32_t msg, uint32_t wParam, uint32_t lParam, const char* magic = "WMSG") {
    QByteArray frame(magic, 4);
    for (uint32_t value : {msg, wParam, lParam})
        for (int shift = 24; shift >= 0; shift -= 8) frame.append(char((value >> shift) & 0xFF));
    return frame;
}


// Every message a link delivers, in order.
struct Inbox {
    explicit Inbox(LobbyLink& link) {
        QObject::connect(&link, &LobbyLink::MessageReceived, &link, [this](uint32_t msg, uint32_t wParam, uint32_t lParam) {
            messages.emplace_back(msg, wParam, lParam);
        });
    }
    bool WaitForCount(size_t count) {
        return WaitUntil([&] { return messages.size() >= count; }, kTimeoutMs);
    }
    std::vector<Message> messages;
};

// A socket file nobody listens on, as a program that crashed leaves behind.
void LeaveStaleEndpoint(const QString& path) {
    const QByteArray nativePath = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(nativePath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, nativePath.constData(), nativePath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));
}

class LobbyLinkTest : public ::testing::Test {
protected:
    // A connection to the window's endpoint that writes bytes as the test chooses.
    std::unique_ptr<QLocalSocket> ConnectRaw() {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(UnixLobbyLink::EndpointPath(dir.path(), kCaption));
        EXPECT_TRUE(socket->waitForConnected(kTimeoutMs));
        return socket;
    }

    static void WriteRaw(QLocalSocket& socket, const QByteArray& bytes) {
        socket.write(bytes);
        if (socket.bytesToWrite() > 0) {
            EXPECT_TRUE(socket.waitForBytesWritten(kTimeoutMs));
        }
    }

    QTemporaryDir dir;
    UnixLobbyLink window{dir.path()};
    UnixLobbyLink sender{dir.path()};
    Inbox received{window};
};

TEST_F(LobbyLinkTest, EndpointIsNamedAfterTheSha256OfTheCaption) {
    const QString caption = QStringLiteral("Jokro山庄");
    const QString expected = dir.path() + QStringLiteral("/w-") +
        QString::fromLatin1(QCryptographicHash::hash(caption.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));

    EXPECT_EQ(UnixLobbyLink::EndpointPath(dir.path(), caption), expected);
    ASSERT_TRUE(window.Listen(caption));
    EXPECT_TRUE(QFileInfo::exists(expected));
}

TEST_F(LobbyLinkTest, PostedAndSentMessagesArriveIntact) {
    ASSERT_TRUE(window.Listen(kCaption));
    EXPECT_TRUE(sender.FindWindow(kCaption));

    EXPECT_TRUE(sender.PostMessage(kCaption, 0x01020304, 0x05060708, 0x090A0B0C));
    EXPECT_TRUE(sender.SendMessage(kCaption, 0xFFFFFFFF, 0x80000000, 0));
    ASSERT_TRUE(received.WaitForCount(2));
    EXPECT_EQ(received.messages,
              (std::vector<Message>{{0x01020304, 0x05060708, 0x090A0B0C}, {0xFFFFFFFF, 0x80000000, 0}}));
}

TEST_F(LobbyLinkTest, SenderWritesOneBigEndianFrameAndDisconnects) {
    QLocalServer outsideWindow;
    ASSERT_TRUE(outsideWindow.listen(UnixLobbyLink::EndpointPath(dir.path(), kCaption)));

    ASSERT_TRUE(sender.PostMessage(kCaption, 0x01020304, 0xA1B2C3D4, 0x00FF00FF));
    ASSERT_TRUE(outsideWindow.waitForNewConnection(kTimeoutMs));
    std::unique_ptr<QLocalSocket> connection(outsideWindow.nextPendingConnection());
    QByteArray bytes;
    while (connection->state() == QLocalSocket::ConnectedState && connection->waitForReadyRead(kTimeoutMs))
        bytes += connection->readAll();
    bytes += connection->readAll();

    EXPECT_EQ(bytes, Frame(0x01020304, 0xA1B2C3D4, 0x00FF00FF));
    EXPECT_NE(connection->state(), QLocalSocket::ConnectedState);
}

TEST_F(LobbyLinkTest, MissingOrStaleEndpointIsNotFoundAtOnce) {
    const auto expectNotFound = [this] {
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(sender.FindWindow(kCaption));
        EXPECT_FALSE(sender.PostMessage(kCaption, 1, 2, 3));
        EXPECT_FALSE(sender.SendMessage(kCaption, 1, 2, 3));
        EXPECT_LT(timer.elapsed(), 500);
    };
    expectNotFound();
    LeaveStaleEndpoint(UnixLobbyLink::EndpointPath(dir.path(), kCaption));
    expectNotFound();
}

TEST_F(LobbyLinkTest, ListenReplacesAStaleEndpoint) {
    LeaveStaleEndpoint(UnixLobbyLink::EndpointPath(dir.path(), kCaption));

    ASSERT_TRUE(window.Listen(kCaption));
    EXPECT_TRUE(sender.PostMessage(kCaption, 0x10, 0, 0));
    ASSERT_TRUE(received.WaitForCount(1));
    EXPECT_EQ(received.messages, (std::vector<Message>{{0x10, 0, 0}}));
}

TEST_F(LobbyLinkTest, ListenFailsWhileAnotherListensThere) {
    ASSERT_TRUE(window.Listen(kCaption));
    UnixLobbyLink intruder(dir.path());
    Inbox intruderReceived(intruder);

    EXPECT_FALSE(intruder.Listen(kCaption));
    EXPECT_TRUE(sender.PostMessage(kCaption, 0x303, 0, 0));
    ASSERT_TRUE(received.WaitForCount(1));
    EXPECT_TRUE(intruderReceived.messages.empty());
}

TEST_F(LobbyLinkTest, StopListeningRemovesTheEndpoint) {
    ASSERT_TRUE(window.Listen(kCaption));
    window.StopListening();

    EXPECT_FALSE(QFileInfo::exists(UnixLobbyLink::EndpointPath(dir.path(), kCaption)));
    EXPECT_FALSE(sender.FindWindow(kCaption));
}

TEST_F(LobbyLinkTest, WrongMagicClosesOnlyItsConnection) {
    ASSERT_TRUE(window.Listen(kCaption));
    auto spoiled = ConnectRaw();

    WriteRaw(*spoiled, Frame(0x01020304, 1, 2) + Frame(3, 4, 5, "WMSX") + Frame(6, 7, 8));
    ASSERT_TRUE(WaitUntil([&] { return spoiled->state() == QLocalSocket::UnconnectedState; }, kTimeoutMs));
    auto fresh = ConnectRaw();
    WriteRaw(*fresh, Frame(9, 10, 0x0A0B0C0D));
    ASSERT_TRUE(received.WaitForCount(2));

    EXPECT_EQ(received.messages, (std::vector<Message>{{0x01020304, 1, 2}, {9, 10, 0x0A0B0C0D}}));
}

TEST_F(LobbyLinkTest, SplitAndMergedFramesAreEachDeliveredOnce) {
    ASSERT_TRUE(window.Listen(kCaption));
    auto socket = ConnectRaw();
    // Once the first frame is in, the window reads this connection as soon as
    // the event loop runs, so each piece below arrives on its own.
    WriteRaw(*socket, Frame(1, 2, 3));
    ASSERT_TRUE(received.WaitForCount(1));

    const QByteArray split = Frame(0x11223344, 0x55667788, 0x99AABBCC);
    for (auto [from, size] : {std::pair{0, 1}, {1, 3}, {4, 8}}) {
        WriteRaw(*socket, split.mid(from, size));
        QCoreApplication::processEvents();
        EXPECT_EQ(received.messages.size(), 1u) << "after " << from + size << " bytes";
    }
    WriteRaw(*socket, split.mid(12));
    ASSERT_TRUE(received.WaitForCount(2));

    const QByteArray lastFrame = Frame(10, 11, 12);
    WriteRaw(*socket, Frame(4, 5, 6) + Frame(7, 8, 9) + lastFrame.left(5));
    ASSERT_TRUE(received.WaitForCount(4));
    WriteRaw(*socket, lastFrame.mid(5));
    ASSERT_TRUE(received.WaitForCount(5));

    EXPECT_EQ(received.messages, (std::vector<Message>{{1, 2, 3},
                                                        {0x11223344, 0x55667788, 0x99AABBCC},
                                                        {4, 5, 6},
                                                        {7, 8, 9},
                                                        {10, 11, 12}}));
}

// A lobby posts as the platform lets it: connect, write, close at once. The
// window's handler may wait meanwhile (its waits run the event loop), so the
// closed connection goes away while frames it brought are still to be handled.
TEST_F(LobbyLinkTest, FramesOfAClosedConnectionAreHandledInOrderAcrossAHandlersWait) {
    ASSERT_TRUE(window.Listen(kCaption));
    bool waited = false;
    QObject::connect(&window, &LobbyLink::MessageReceived, &window, [&](uint32_t msg, uint32_t, uint32_t) {
        if (msg != 1) return;
        // Another post arrives while the first frame's handler waits.
        EXPECT_TRUE(sender.PostMessage(kCaption, 3, 0, 0));
        waited = WaitUntil([&] { return received.messages.size() >= 3; }, kTimeoutMs);
    });

    auto poster = ConnectRaw();
    WriteRaw(*poster, Frame(1, 0, 0) + Frame(2, 0, 0));
    poster.reset();
    ASSERT_TRUE(received.WaitForCount(3));

    EXPECT_TRUE(waited);
    EXPECT_EQ(received.messages, (std::vector<Message>{{1, 0, 0}, {2, 0, 0}, {3, 0, 0}}));
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

TEST(RuntimeDirTest, IsCreatedOrNarrowedToOwnerOnly) {
    QTemporaryDir base;
    const std::optional<mode_t> initialModes[] = {std::nullopt, 0755, 0777, 0710};
    for (const auto& initialMode : initialModes) {
        const QString path = base.filePath(QStringLiteral("run-%1").arg(initialMode.value_or(0), 0, 8));
        if (initialMode) {
            ASSERT_EQ(::mkdir(QFile::encodeName(path).constData(), 0700), 0);
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), *initialMode), 0);
        }
        ScopedEnv configured("DRAVIK_RUNTIME_DIR", path);

        QString error;
        EXPECT_EQ(PrepareRuntimeDir(&error), path) << error.toStdString();
        EXPECT_EQ(ModeOf(path), 0700u) << "initial mode " << std::oct << initialMode.value_or(0);
    }
}

TEST(RuntimeDirTest, DefaultsToDravikBelowXdgRuntimeDir) {
    QTemporaryDir base;
    ScopedEnv configured("DRAVIK_RUNTIME_DIR", std::nullopt);
    ScopedEnv xdg("XDG_RUNTIME_DIR", base.path());

    QString error;
    EXPECT_EQ(PrepareRuntimeDir(&error), base.filePath(QStringLiteral("dravik")));
    EXPECT_EQ(ModeOf(base.filePath(QStringLiteral("dravik"))), 0700u);
}

TEST(RuntimeDirTest, RefusesWhatIsNotAFolderOfThisUser) {
    QTemporaryDir base;
    const QString file = base.filePath(QStringLiteral("file"));
    const QString ownFolder = base.filePath(QStringLiteral("own"));
    const QString link = base.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir().mkdir(ownFolder));
    ASSERT_TRUE(QFile::link(ownFolder, link));

    for (const QString& path : {file, link}) {
        ScopedEnv configured("DRAVIK_RUNTIME_DIR", path);
        QString error;
        EXPECT_EQ(PrepareRuntimeDir(&error), QString()) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(RuntimeDirTest, RefusesAFolderOfAnotherUser) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
    QTemporaryDir base;
    const QString path = base.filePath(QStringLiteral("theirs"));
    ASSERT_EQ(::mkdir(QFile::encodeName(path).constData(), 0755), 0);
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ScopedEnv configured("DRAVIK_RUNTIME_DIR", path);

    QString error;
    EXPECT_EQ(PrepareRuntimeDir(&error), QString());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ModeOf(path), 0755u);
}

TEST(InstanceLockTest, SecondInstanceIsRefusedUntilTheFirstEnds) {
    QTemporaryDir dir;
    auto first = std::make_unique<InstanceLock>();
    ASSERT_TRUE(first->TryLock(dir.path()));
    InstanceLock second;
    EXPECT_FALSE(second.TryLock(dir.path()));

    // A client that has run for an hour still holds its lock.
    const QByteArray lockPath = QFile::encodeName(dir.filePath(QStringLiteral("dravik-table.lock")));
    const time_t anHourAgo = ::time(nullptr) - 3600;
    const utimbuf times{anHourAgo, anHourAgo};
    ASSERT_EQ(::utime(lockPath.constData(), &times), 0);
    EXPECT_FALSE(second.TryLock(dir.path()));

    first.reset();
    EXPECT_TRUE(second.TryLock(dir.path()));
}

TEST(InstanceLockTest, LockLeftByADeadProcessIsTakenOver) {
    QTemporaryDir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Ends without releasing the lock, as a crashed client would.
        InstanceLock crashed;
        ::_exit(crashed.TryLock(dir.path()) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("dravik-table.lock"))));

    InstanceLock next;
    EXPECT_TRUE(next.TryLock(dir.path()));
}

}  // namespace
