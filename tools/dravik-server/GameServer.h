#pragma once
#include "connection/GamePacket.h"
#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <array>
#include <cstdint>
#include <map>

class QTcpSocket;

struct GameServerSettings {
    int turnSeconds = 8;
    int timeoutLimit = 3;
    QByteArray bannerUrl;
};

// Accepts table clients on loopback, answers their log-in and reconnect
// requests, seats each logged-in client at a table of its own with three
// computer players, and reports every connection, packet, seating, leave and
// close as one line.
class GameServer : public QObject {
    Q_OBJECT
public:
    explicit GameServer(const GameServerSettings& settings);
    ~GameServer() override;
    bool Listen(quint16 port);
    quint16 Port() const;
    QString ErrorText() const;

signals:
    void Event(const QString& line);

private:
    struct Connection {
        int id = 0;
        QByteArray pending;
        uint16_t sentPackets = 0;
        // The account seated at this connection's table; empty while the
        // seat is free.
        QByteArray seatedAccount;
        // The echo bytes of each packet sent: the count of packets sent on
        // this connection, big-endian.
        std::array<uint8_t, 2> NextEcho();
    };

    void Accept();
    void ReadFrom(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const GamePacket& packet);
    void Seat(QTcpSocket* socket, const QByteArray& account);
    void Leave(QTcpSocket* socket);
    // Fills in the echo bytes.
    void Send(QTcpSocket* socket, GamePacket packet);
    void Close(QTcpSocket* socket);

    GameServerSettings settings_;
    QTcpServer server_;
    std::map<QTcpSocket*, Connection> connections_;
    int lastId_ = 0;
};
