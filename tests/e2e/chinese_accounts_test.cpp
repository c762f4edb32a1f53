// Players with Chinese accounts at the real server: 张三's client, on an X
// display, is seated, chats, plays a hand and gets ready; it sees 李四 sit
// down, leave and give the seat back to the computer; and when its own
// account logs in elsewhere, the departure the server reports is its own.
#include "AutoPlayer.h"
#include "ServerWithDisplay.h"
#include "wire/GamePacket.h"
#include "wire/LoginPacket.h"
#include "support/EventLoopWait.h"
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <memory>

namespace {
constexpr uint32_t kClose = 0x10;
const QString kZhang = QStringLiteral("张三");
const QString kLi = QStringLiteral("李四");
const QString kLine = QStringLiteral("你好李四");
// 张三 sits at seat bit 1, so 李四 at seat bit 2 sits on its right.
constexpr int kRightSeat = 3;
// The portraits the server gives seat bit 2: a client's "m4", computer3's "m3".
constexpr int kClientAtBit2 = 3;
constexpr int kComputerAtBit2 = 2;

class ChineseAccounts : public ServerWithDisplay {
protected:
    void SetUp() override {
        Start({QStringLiteral("xdotool"), QStringLiteral("xmodmap"), QStringLiteral("import")},
              {"--turn-seconds", "1", "--move-ms", "100", "--timeout-limit", "0", "--seed", "7"});
    }

    // Whether the server has logged a matching line, or logs one in time.
    bool Logged(const QRegularExpression& pattern, int timeoutMs) {
        return !log.Matching(pattern).isEmpty() || log.WaitFor(pattern, timeoutMs);
    }

    // The connection id the server gave the account's seating.
    int ConnectionOf(const QString& account) const {
        const QRegularExpression seat(QStringLiteral("^seat (\\d+) account=%1 ").arg(account));
        return seat.match(log.Matching(seat).value(0)).captured(1).toInt();
    }

    bool RightSeatShows(int portrait, int timeoutMs) {
        return WaitUntil([&] { return PortraitAt(kRightSeat) == portrait; }, timeoutMs);
    }

    bool XDoTool(const QStringList& arguments) {
        return display.Run(Tool(QStringLiteral("xdotool")), arguments).has_value();
    }

    // The next packet the connection receives; empty when none comes in time.
    static QByteArray NextPacket(QTcpSocket& socket) {
        const QDeadlineTimer deadline(20000);
        while (socket.bytesAvailable() < kPacketSize && socket.waitForReadyRead(int(deadline.remainingTime()))) {}
        return socket.bytesAvailable() < kPacketSize ? QByteArray() : socket.read(kPacketSize);
    }

    // Logs 张三 in on a connection of the test's own, again after each hand
    // that runs meanwhile, for the server refuses log-ins while a hand runs.
    // Empty once the log-in is accepted, else why it failed.
    QString LogInElsewhere(QTcpSocket& socket) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(10000)) return QStringLiteral("no connection: ") + socket.errorString();
        const QRegularExpression handEnd(QStringLiteral("^hand \\d+ (end|aborted)"));
        for (int attempt = 0; attempt < 4; ++attempt) {
            const qsizetype handsEnded = log.Matching(handEnd).size();
            socket.write(ToByteArray(BuildLoginPacket(kZhang, QStringLiteral("pw"))));
            const QByteArray reply = NextPacket(socket);
            if (reply.isEmpty() || uint8_t(reply[3]) != MessageType::LoginReply) return QStringLiteral("no log-in reply");
            if (uint8_t(reply[15]) == 1) return {};
            const bool ended = WaitUntil([&] {
                log.WaitFor(handEnd, 200);
                return log.Matching(handEnd).size() > handsEnded;
            }, 200000);
            if (!ended) return QStringLiteral("refused while a hand runs that does not end");
        }
        return QStringLiteral("refused again and again");
    }

    std::string Everything() const {
        QString text = log.Lines().join('\n');
        for (const auto& player : {zhang.get(), li.get()})
            if (player) text += QStringLiteral("\n--- client stderr:\n") + player->table.Stderr();
        return text.toStdString();
    }

    std::unique_ptr<AutoPlayer> zhang, li;
};

TEST_F(ChineseAccounts, AreSeatedReadyPlayChatAndTheirDeparturesAreRecognised) {
    zhang = std::make_unique<AutoPlayer>(1, port, kZhang, display.Name());
    ASSERT_TRUE(Logged(QRegularExpression(QStringLiteral("^seat \\d+ account=张三 bit=1$")), 20000)) << Everything();
    li = std::make_unique<AutoPlayer>(2, port, kLi);
    ASSERT_TRUE(Logged(QRegularExpression(QStringLiteral("^seat \\d+ account=李四 bit=2$")), 20000)) << Everything();
    const int zhangId = ConnectionOf(kZhang);
    EXPECT_TRUE(RightSeatShows(kClientAtBit2, 60000)) << "李四 sits on the right\n" << Everything();

    // A typed line goes out with 张三's name.
    ASSERT_TRUE(display.BindKeysFor(Tool(QStringLiteral("xmodmap")), kLine));
    ASSERT_TRUE(XDoTool({"mousemove", "440", "738", "click", "1"}));
    ASSERT_TRUE(XDoTool({"type", "--delay", "30", kLine}));
    ASSERT_TRUE(XDoTool({"key", "Return"}));
    EXPECT_TRUE(Logged(QRegularExpression(QStringLiteral("^recv %1 type=19 .* text=张三说道: %2 echo=").arg(zhangId).arg(kLine)),
                       20000))
        << Everything();

    // A hand played with moves of its own, then ready for the next.
    ASSERT_TRUE(Logged(QRegularExpression("^hand 1 end "), 200000)) << Everything();
    EXPECT_FALSE(log.Matching(QRegularExpression("^move 1 ")).isEmpty()) << Everything();
    EXPECT_TRUE(Logged(QRegularExpression(QStringLiteral("^recv %1 type=16 .*params=0,0,0,1 ").arg(zhangId)), 60000))
        << Everything();

    // 李四 goes (at the latest the seat is given back when the next hand
    // ends): the seat is emptied and the computer that takes it back seated there.
    ASSERT_TRUE(li->lobby.link.PostMessage(AutoPlayer::WindowCaption(2), kClose, 0, 0));
    ASSERT_TRUE(li->table.WaitForExit(20000)) << Everything();
    EXPECT_TRUE(RightSeatShows(kComputerAtBit2, 200000)) << "the computer back on the right\n" << Everything();

    // 张三 logs in elsewhere: the departure the server reports is 张三's own.
    QTcpSocket elsewhere;
    const QString refused = LogInElsewhere(elsewhere);
    ASSERT_TRUE(refused.isEmpty()) << refused.toStdString() << "\n" << Everything();
    ASSERT_TRUE(zhang->table.WaitForExit(20000)) << Everything();
    EXPECT_TRUE(zhang->table.Stderr().contains(QStringLiteral("END\tthe server says this player left"))) << Everything();
}
}  // namespace
