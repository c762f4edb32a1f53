#pragma once
#include "wire/GamePacket.h"
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <array>
#include <cstdint>
#include <vector>

// What the fake server answers to a Login while its automatic answer is on.
struct FakeLoginAnswer {
    bool enabled = true;
    int turnSeconds = 8;
    int timeoutLimit = 3;
    QByteArray bannerUrl;
    std::array<uint8_t, 2> echo{0, 1};
};

// An in-process game server for tests: listens on 127.0.0.1 at a free port,
// serves one client connection at a time (a new one replaces the old), and
// records every packet received on any connection. The waits run the event
// loop until their condition holds or the time is up.
class FakeGameServer : public QObject {
    Q_OBJECT
public:
    FakeGameServer();

    quint16 Port() const;
    void SetLoginAnswer(const FakeLoginAnswer& answer);

    // True once a client is connected.
    bool WaitForConnection(int timeoutMs);
    // True once the client's connection is closed (or gone).
    bool WaitForClose(int timeoutMs);
    // True once at least `count` whole packets have been received in all.
    bool WaitForPackets(int count, int timeoutMs);
    std::vector<GamePacket> Received() const;

    void Send(const GamePacket& packet);
    // Bytes as they are, for deliveries split or merged across packets.
    void SendRaw(const QByteArray& bytes);
    void CloseConnection();
    void StopListening();

private:
    void Accept();
    void Read();

    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray pending_;
    std::vector<GamePacket> received_;
    FakeLoginAnswer loginAnswer_;
};
