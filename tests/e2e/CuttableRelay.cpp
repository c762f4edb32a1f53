#include "CuttableRelay.h"
#include <QHostAddress>

CuttableRelay::CuttableRelay(quint16 serverPort) : serverPort_(serverPort) {
    listener_.listen(QHostAddress::LocalHost, 0);
    connect(&listener_, &QTcpServer::newConnection, this, &CuttableRelay::Accept);
}

void CuttableRelay::Accept() {
    while (QTcpSocket* client = listener_.nextPendingConnection()) {
        auto* server = new QTcpSocket(this);
        client->setParent(this);
        // What the client sends before the server's side is up waits in its socket.
        connect(server, &QTcpSocket::connected, server, [client, server] { server->write(client->readAll()); });
        connect(client, &QTcpSocket::readyRead, server, [client, server] {
            if (server->state() == QAbstractSocket::ConnectedState) server->write(client->readAll());
        });
        connect(server, &QTcpSocket::readyRead, client, [client, server] { client->write(server->readAll()); });
        connect(client, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
        connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
        server->connectToHost(QHostAddress::LocalHost, serverPort_);
        pairs_.push_back({client, server});
    }
}

int CuttableRelay::Cut() {
    const int cut = int(pairs_.size());
    for (const Pair& pair : pairs_) {
        pair.client->abort();
        pair.server->abort();
        pair.client->deleteLater();
        pair.server->deleteLater();
    }
    pairs_.clear();
    return cut;
}
