#include "platform/UnixLobbyLink.h"
#include <QCryptographicHash>
#include <QLocalSocket>
#include <QtEndian>
#include <utility>

namespace {

constexpr qint64 kFrameSize = 16;
constexpr char kMagic[] = "WMSG";
constexpr int kMagicSize = 4;
// Bounds every blocking step of a lookup or a write, so a hung peer cannot
// freeze this program.
constexpr int kWaitMs = 1000;

QByteArray EncodeFrame(uint32_t msg, uint32_t wParam, uint32_t lParam) {
    QByteArray frame(kMagic, kMagicSize);
    frame.resize(kFrameSize);
    qToBigEndian(msg, frame.data() + 4);
    qToBigEndian(wParam, frame.data() + 8);
    qToBigEndian(lParam, frame.data() + 12);
    return frame;
}

// Connected, or not found: a missing or refused endpoint fails at once.
bool ConnectTo(QLocalSocket& socket, const QString& endpoint) {
    socket.connectToServer(endpoint);
    return socket.waitForConnected(kWaitMs);
}

}  // namespace

UnixLobbyLink::UnixLobbyLink(QString runtimeDir) : runtimeDir_(std::move(runtimeDir)) {
    connect(&server_, &QLocalServer::newConnection, this, &UnixLobbyLink::AcceptConnections);
}

QString UnixLobbyLink::EndpointPath(const QString& runtimeDir, const QString& caption) {
    const QByteArray digest = QCryptographicHash::hash(caption.toUtf8(), QCryptographicHash::Sha256);
    return runtimeDir + QStringLiteral("/w-") + QString::fromLatin1(digest.toHex().left(32));
}

bool UnixLobbyLink::FindWindow(const QString& caption) {
    QLocalSocket socket;
    return ConnectTo(socket, EndpointPath(runtimeDir_, caption));
}

bool UnixLobbyLink::SendMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) {
    return PostMessage(caption, msg, wParam, lParam);
}

bool UnixLobbyLink::PostMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) {
    QLocalSocket socket;
    if (!ConnectTo(socket, EndpointPath(runtimeDir_, caption))) return false;
    socket.write(EncodeFrame(msg, wParam, lParam));
    // Flushed before the socket goes out of scope and disconnects.
    return socket.bytesToWrite() == 0 || socket.waitForBytesWritten(kWaitMs);
}

bool UnixLobbyLink::Listen(const QString& caption) {
    if (FindWindow(caption)) return false;
    const QString endpoint = EndpointPath(runtimeDir_, caption);
    // Nobody answers there: whatever file is left belongs to a program that ended.
    QLocalServer::removeServer(endpoint);
    return server_.listen(endpoint);
}

void UnixLobbyLink::StopListening() {
    // Closing the server also removes its endpoint file.
    server_.close();
}

void UnixLobbyLink::AcceptConnections() {
    while (QLocalSocket* connection = server_.nextPendingConnection()) {
        connect(connection, &QLocalSocket::readyRead, this, [this, connection] { ReadFrames(connection); });
        connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        ReadFrames(connection);
    }
}

void UnixLobbyLink::ReadFrames(QLocalSocket* connection) {
    // Every whole frame leaves the connection before any is handled: a
    // handler may wait, and a poster that closed at once has its connection
    // deleted meanwhile. A partial frame stays in the socket's buffer.
    while (connection->bytesAvailable() >= kFrameSize) {
        const QByteArray frame = connection->read(kFrameSize);
        if (!frame.startsWith(QByteArrayView(kMagic, kMagicSize))) {
            connection->abort();
            connection->deleteLater();
            break;
        }
        pending_.push_back({qFromBigEndian<uint32_t>(frame.constData() + 4),
                            qFromBigEndian<uint32_t>(frame.constData() + 8),
                            qFromBigEndian<uint32_t>(frame.constData() + 12)});
    }
    DeliverPending();
}

void UnixLobbyLink::DeliverPending() {
    // One queue for all connections keeps the arrival order, also for frames
    // that come in while a handler waits and are handled inside that wait.
    while (!pending_.empty()) {
        const Frame frame = pending_.front();
        pending_.pop_front();
        emit MessageReceived(frame.msg, frame.wParam, frame.lParam);
    }
}
