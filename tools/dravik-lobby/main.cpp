// dravik-lobby: a stand-in for the game lobby. It listens for the table
// client's window messages, can start the client with a lobby command line,
// and sends the client the messages typed on standard input.
#include "LobbyCommands.h"
#include "StdinLineReader.h"
#include "platform/RuntimeDir.h"
#include "platform/StopSignals.h"
#include "platform/UnixLobbyLink.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

namespace {

const QString kLobbyCaption = QStringLiteral("Jokro山庄");
const QString kClientCaption = QStringLiteral("Dravik麻将");
// How long a client is given to close down on its own when the lobby ends.
constexpr int kClientStopMs = 3000;

struct Options {
    QCommandLineOption caption{"caption", "Listen under this caption.", "C", kLobbyCaption};
    QCommandLineOption clientCaption{"client-caption", "Send commands to this window caption.", "C"};
    QCommandLineOption start{"start", "Start the client program with a lobby command line.", "PROGRAM"};
    QCommandLineOption line{"line", "Pass this raw command line instead of the fields below.", "TEXT"};
    QCommandLineOption user{"user", "User name.", "NAME", "player1"};
    QCommandLineOption password{"password", "Password.", "TEXT", "secret"};
    QCommandLineOption serverHost{"server-host", "Game server host.", "HOST", "127.0.0.1"};
    QCommandLineOption serverPort{"server-port", "Game server port (needed with --start).", "PORT"};
    QCommandLineOption location{"location", "Location text.", "TEXT", QStringLiteral("本地测试")};
    QCommandLineOption proxyType{"proxy-type", "Proxy type.", "N", "0"};
    QCommandLineOption proxyHost{"proxy-host", "Proxy host.", "HOST"};
    QCommandLineOption proxyPort{"proxy-port", "Proxy port.", "PORT", "0"};
    QCommandLineOption proxyUser{"proxy-user", "Proxy user.", "NAME"};
    QCommandLineOption proxyPassword{"proxy-password", "Proxy password.", "TEXT"};
    QCommandLineOption autoPlay{"auto-play", "Let the client play by itself."};
    QCommandLineOption windowCaption{"window-caption", "The client's window caption (in auto-play).", "C"};

    void AddTo(QCommandLineParser& parser) const {
        parser.addOptions({caption, clientCaption, start, line, user, password, serverHost, serverPort, location,
                           proxyType, proxyHost, proxyPort, proxyUser, proxyPassword, autoPlay, windowCaption});
    }
};

void PrintLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void PrintError(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

// The client's one argument: thirteen fields, each ended by "$".
QString ClientCommandLine(const QCommandLineParser& parser, const Options& options, const QString& lobbyCaption) {
    if (parser.isSet(options.line)) return parser.value(options.line);
    const QStringList fields = {
        parser.value(options.user),          parser.value(options.password),
        parser.value(options.serverHost),    parser.value(options.serverPort),
        parser.value(options.location),      parser.value(options.proxyType),
        parser.value(options.proxyHost),     parser.value(options.proxyPort),
        parser.value(options.proxyUser),     parser.value(options.proxyPassword),
        parser.isSet(options.autoPlay) ? QStringLiteral("1") : QString(),
        lobbyCaption,                        parser.value(options.windowCaption),
    };
    return fields.join(QLatin1Char('$')) + QLatin1Char('$');
}

QString ClientWindowCaption(const QCommandLineParser& parser, const Options& options) {
    if (parser.isSet(options.clientCaption)) return parser.value(options.clientCaption);
    // In auto-play the client takes the window caption it is given.
    if (parser.isSet(options.autoPlay) && !parser.value(options.windowCaption).isEmpty())
        return parser.value(options.windowCaption);
    return kClientCaption;
}

void StartClient(QProcess& client, const QString& program, const QString& commandLine) {
    client.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&client, &QProcess::finished, [](int exitCode) {
        PrintLine(QStringLiteral("client ended %1").arg(exitCode));
    });
    QObject::connect(&client, &QProcess::errorOccurred, [&client, program](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            PrintError(QStringLiteral("cannot start %1: %2").arg(program, client.errorString()));
    });
    client.start(program, {commandLine});
}

void StopClient(QProcess& client) {
    if (client.state() == QProcess::NotRunning) return;
    client.terminate();
    if (!client.waitForFinished(kClientStopMs)) {
        client.kill();
        client.waitForFinished(kClientStopMs);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Stands in for the game lobby: prints the window messages it receives and sends the "
                       "client's window the commands read from standard input.\n") +
        kLobbyCommandUsage);
    parser.addHelpOption();
    const Options options;
    options.AddTo(parser);
    parser.process(app);

    const bool startClient = parser.isSet(options.start);
    if (startClient && !parser.isSet(options.line) && !parser.isSet(options.serverPort)) {
        PrintError(QStringLiteral("--start needs --server-port (or --line)"));
        return 2;
    }

    QString error;
    const QString runtimeDir = PrepareRuntimeDir(&error);
    if (runtimeDir.isEmpty()) {
        PrintError(error);
        return 1;
    }

    const QString caption = parser.value(options.caption);
    const QString clientCaption = ClientWindowCaption(parser, options);
    UnixLobbyLink link(runtimeDir);
    QObject::connect(&link, &LobbyLink::MessageReceived, [](uint32_t msg, uint32_t wParam, uint32_t lParam) {
        PrintLine(QStringLiteral("received 0x%1 %2 %3").arg(QString::number(msg, 16)).arg(wParam).arg(lParam));
    });
    if (!link.Listen(caption)) {
        PrintError(QStringLiteral("cannot listen as %1: another program listens there or %2 is unusable")
                       .arg(caption, runtimeDir));
        return 1;
    }
    // The lobby ends in order: its endpoint file goes, and its client is stopped.
    OnStopSignals(app, &QCoreApplication::quit);
    PrintLine(QStringLiteral("listening as %1").arg(caption));

    StdinLineReader input;
    QObject::connect(&input, &StdinLineReader::LineRead, [&link, &clientCaption](const QString& line) {
        if (line.isEmpty()) return;
        const auto command = ParseLobbyCommand(line);
        if (!command)
            PrintLine(kLobbyCommandUsage);
        else if (link.PostMessage(clientCaption, command->msg, command->wParam, command->lParam))
            PrintLine(QStringLiteral("sent %1").arg(command->name));
        else
            PrintLine(QStringLiteral("no window \"%1\"").arg(clientCaption));
    });

    QProcess client;
    if (startClient) StartClient(client, parser.value(options.start), ClientCommandLine(parser, options, caption));
    const int result = app.exec();
    StopClient(client);
    return result;
}
