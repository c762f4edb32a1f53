#include "dravik-server/GameServer.h"
#include "dravik-server/RelayThread.h"
#include "dravik-server/ServerPackets.h"
#include "dravik-server/VideoRelay.h"
#include "platform/AnsiCodec.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <limits>
#include <optional>
#include <sys/signalfd.h>

namespace {
constexpr int kNoRelay = -1;

void PrintLine(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// SIGINT and SIGTERM arrive as readable bytes on the returned descriptor, so
// the event loop can end the server normally. The signals must be blocked
// before any thread starts, or that thread would still receive them. Being
// blocked, they reach the descriptor even when the server was started with
// them ignored, as a shell starts a background job.
int StopSignalDescriptor() {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    return signalfd(-1, &stopSignals, SFD_CLOEXEC);
}

std::optional<int> NumberOption(const QCommandLineParser& parser, const QString& name, int lowest, int highest) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < lowest || value > highest) {
        std::fprintf(stderr, "--%s must be a number from %d to %d\n", qPrintable(name), lowest, highest);
        return std::nullopt;
    }
    return value;
}

// The accounts as a client sends them: GBK, 1 to 16 bytes each.
std::optional<QByteArrayList> WatcherAccounts(const QCommandLineParser& parser) {
    QByteArrayList accounts;
    if (!parser.isSet("watchers")) return accounts;
    for (const QString& name : parser.value("watchers").split(u',')) {
        const QByteArray account = AnsiCodec::ToAnsi(name);
        if (account.isEmpty() || account.size() > AccountField::Bytes) {
            std::fprintf(stderr, "--watchers must name accounts of 1 to %d bytes, separated by commas\n", AccountField::Bytes);
            return std::nullopt;
        }
        accounts << account;
    }
    return accounts;
}
}  // namespace

int main(int argc, char** argv) {
    const int stopSignals = StopSignalDescriptor();
    if (stopSignals < 0) {
        std::perror("signalfd");
        return 1;
    }
    QCoreApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription("A stand-in game server for the table client, on 127.0.0.1.");
    parser.addHelpOption();
    parser.addOption({"port", "Port to listen on (0 picks a free one).", "PORT"});
    parser.addOption({"turn-seconds", "Turn time sent in the log-in reply, 1-15.", "N", "8"});
    parser.addOption({"timeout-limit",
                      "Prompts in a row a client may let its own countdown run out before it switches its boss key "
                      "on, 0-255 (0 = never).",
                      "N", "3"});
    parser.addOption({"banner", "Banner web address sent in the log-in reply (at most 100 bytes are sent).", "URL"});
    parser.addOption({"move-ms", "Pause before each computer move in milliseconds, 0-10000.", "N", "800"});
    parser.addOption({"watchers", "Accounts whose log-ins are spectators', separated by commas.", "ACCOUNTS"});
    parser.addOption({"seed", "Seed of the shuffles and dice, 0-2147483647 (default: a random one).", "N"});
    parser.addOption({"chat-ms",
                      "Least time in milliseconds between two chat lines of one seat that are relayed; the lines "
                      "in between are dropped, 0-10000 (0 relays every line).",
                      "N", "800"});
    parser.addOption({"relay-port", "Port of the video relay (0 picks a free one; default: no relay).", "PORT"});
    parser.process(app);

    if (!parser.isSet("port")) {
        std::fputs("--port is required\n", stderr);
        return 2;
    }
    const auto port = NumberOption(parser, "port", 0, 65535);
    // The client reads only the low four bits of the turn time.
    const auto turnSeconds = NumberOption(parser, "turn-seconds", 1, 15);
    const auto timeoutLimit = NumberOption(parser, "timeout-limit", 0, 255);
    const auto moveMs = NumberOption(parser, "move-ms", 0, 10000);
    const auto chatMs = NumberOption(parser, "chat-ms", 0, 10000);
    const auto seed = parser.isSet("seed") ? NumberOption(parser, "seed", 0, std::numeric_limits<int>::max())
                                           : std::optional<int>(QRandomGenerator::global()->bounded(1 << 30));
    const auto watchers = WatcherAccounts(parser);
    const auto relayPort = parser.isSet("relay-port") ? NumberOption(parser, "relay-port", 0, 65535)
                                                      : std::optional<int>(kNoRelay);
    if (!port || !turnSeconds || !timeoutLimit || !moveMs || !chatMs || !seed || !watchers || !relayPort) return 2;

    GameServer server(
        {*turnSeconds, *timeoutLimit, parser.value("banner").toLatin1(), *moveMs, quint32(*seed), *watchers, *chatMs});
    QObject::connect(&server, &GameServer::Event, &PrintLine);
    if (!server.Listen(quint16(*port))) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%d: %s\n", *port, qPrintable(server.ErrorText()));
        return 1;
    }
    PrintLine(QStringLiteral("listening on %1").arg(server.Port()));

    // After the game server's line, which stays the first. The relay's lines
    // are printed on its own thread; each is one write to stdout, which the C
    // library locks, so lines of the two threads never mix.
    std::optional<RelayThread> relay;
    if (*relayPort != kNoRelay) {
        relay.emplace();
        QObject::connect(&relay->Relay(), &VideoRelay::Event, &PrintLine);
        if (!relay->Listen(quint16(*relayPort))) {
            std::fprintf(stderr, "cannot listen on 127.0.0.1:%d: %s\n", *relayPort, qPrintable(relay->ErrorText()));
            return 1;
        }
    }

    QSocketNotifier stopNotifier(stopSignals, QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    return app.exec();
}
