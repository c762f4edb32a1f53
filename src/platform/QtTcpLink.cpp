#include "platform/QtTcpLink.h"

namespace {
// Qt reads no more from the system than this while the bytes are not taken,
// so a reader that falls behind leaves the rest in the system's buffers and
// TCP holds the sender back.
constexpr qint64 kReadBufferBytes = 64 * 1024;
}  // namespace

QtTcpLink::QtTcpLink() {
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket_.setReadBufferSize(kReadBufferBytes);
    connect(&socket_, &QTcpSocket::connected, this, [this] { emit Connected(); });
    connect(&socket_, &QTcpSocket::readyRead, this, [this] { emit DataArrival(socket_.bytesAvailable()); });
    connect(&socket_, &QTcpSocket::disconnected, this, [this] { emit PeerClosed(); });
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        failed_ = true;
    });
}

int QtTcpLink::State() const {
    switch (socket_.state()) {
    case QAbstractSocket::ConnectedState: return StateConnected;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState: return StateConnecting;
    case QAbstractSocket::ClosingState: return StateClosing;
    default: return failed_ ? StateError : StateClosed;
    }
}

void QtTcpLink::Connect() {
    failed_ = false;
    socket_.abort();
    unread_.clear();
    socket_.connectToHost(RemoteHost, RemotePort);
}

void QtTcpLink::SendData(const QByteArray& bytes) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    socket_.write(bytes);
    socket_.flush();
}

QByteArray QtTcpLink::GetData(qint64 maxBytes) {
    QByteArray bytes = unread_.left(maxBytes);
    unread_.remove(0, bytes.size());
    if (bytes.size() < maxBytes) bytes += socket_.read(maxBytes - bytes.size());
    return bytes;
}

qint64 QtTcpLink::BytesWaiting() const { return unread_.size() + socket_.bytesAvailable(); }

void QtTcpLink::Close() {
    failed_ = false;
    // Once the peer has closed, the socket still holds what it sent last.
    unread_ += socket_.readAll();
    socket_.abort();
}
