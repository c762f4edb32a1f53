#include "platform/QtTcpLink.h"

QtTcpLink::QtTcpLink() {
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
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
    socket_.connectToHost(RemoteHost, RemotePort);
}

void QtTcpLink::SendData(const QByteArray& bytes) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    socket_.write(bytes);
    socket_.flush();
}

QByteArray QtTcpLink::GetData() { return socket_.readAll(); }

void QtTcpLink::Close() {
    failed_ = false;
    socket_.abort();
}
