// A user types a Chinese line into the chat box of the real client on an X
// display and presses Enter; the line reaches the local server in GBK.
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include "support/XDisplay.h"
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
const QString kLine = QStringLiteral("你好，大家好");

class ChatTyping : public ::testing::Test {
protected:
    void SetUp() override {
        xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        xmodmap = QStandardPaths::findExecutable(QStringLiteral("xmodmap"));
        if (xvfb.isEmpty() || xdotool.isEmpty() || xmodmap.isEmpty())
            GTEST_SKIP() << "needs Xvfb, xdotool and xmodmap (scripts/install-deps.sh)";
        ASSERT_TRUE(display.Start(xvfb));
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }

    std::optional<QString> RunOnDisplay(const QString& program, const QStringList& arguments) {
        const std::optional<QByteArray> output = display.Run(program, arguments);
        return output ? std::optional(QString::fromLatin1(*output)) : std::nullopt;
    }
    bool XDoTool(const QStringList& arguments) { return RunOnDisplay(xdotool, arguments).has_value(); }

    QString xvfb, xdotool, xmodmap;
    XDisplay display;
    QProcess server;
    ServerLog log{server};
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), QStringLiteral("Jokro山庄")};
    TableProcess table{kTableBinary, runtime.path()};
};

TEST_F(ChatTyping, AChineseLineTypedAndEnteredReachesTheServerInGbk) {
    server.start(QStringLiteral(DRAVIK_SERVER_BINARY), {"--port", "0", "--timeout-limit", "0"});
    ASSERT_TRUE(server.waitForStarted(10000));
    const quint16 port = log.WaitForPort(10000);
    ASSERT_NE(port, 0);
    table.UseDisplay(display.Name());
    table.Start({DirectCommandLine(port)});
    ASSERT_TRUE(log.WaitFor(QRegularExpression(QStringLiteral("^seat \\d+ account=abc ")), 20000)) << log.Lines().join('\n').toStdString();
    ASSERT_TRUE(WaitUntil([&] { return XDoTool({"search", "--onlyvisible", "--name", "Dravik"}); }, 20000))
        << "the table window shows";

    // The window fills the 1024 x 768 screen; the chat box lies at (318, 729), 244 x 18.
    ASSERT_TRUE(display.BindKeysFor(xmodmap, kLine));
    ASSERT_TRUE(XDoTool({"mousemove", "440", "738", "click", "1"}));
    ASSERT_TRUE(XDoTool({"type", "--delay", "30", kLine}));
    ASSERT_TRUE(XDoTool({"key", "Return"}));

    // The seat bit and the nickname depend on how far the client has read its
    // seating by then; the wording and the GBK text do not.
    const QRegularExpression chat(QStringLiteral("^recv \\d+ type=19 seat=\\d+ byte5=0 byte7=0 params=0,0,0,0 "
                                                 "text=\\S*说道: %1 echo=").arg(QRegularExpression::escape(kLine)));
    EXPECT_TRUE(log.WaitFor(chat, 20000)) << log.Lines().join('\n').toStdString() << table.Stderr().toStdString();
}
}  // namespace
