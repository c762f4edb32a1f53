#pragma once
#include "wire/GamePacket.h"
#include "dravik-server/ChatPace.h"
#include "dravik-server/HandTable.h"
#include "dravik-server/TableSeating.h"
#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <optional>
#include <array>
#include <cstdint>
#include <map>

class QTcpSocket;

struct GameServerSettings {
    int turnSeconds = 8;
    int timeoutLimit = 3;
    QByteArray bannerUrl;
    // The pause before each computer move.
    int computerMoveMs = 800;
    quint32 seed = 0;
    // The accounts (as the clients send them) whose log-ins are spectators'.
    QByteArrayList watchers;
    // The least time between two chat lines of one seat that are relayed.
    int chatPauseMs = 800;
};

// One table of four seats on loopback. Clients that log in take the free
// seats in turn; the computer plays the others. Once every client is ready the
// table plays a hand, and the next one when they are ready again. Watchers
// (spectators) log in at any time and see everything the players are shown
// but the prompts and the chat, with every tile's code; they never take a
// seat. Every connection, packet, seating, watch, move, refusal, leave and
// close is one line.
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
    static constexpr int kNoSeat = -1;

    struct Connection {
        int id = 0;
        QByteArray pending;
        uint16_t sentPackets = 0;
        int seat = kNoSeat;
        bool watcher = false;
        // The account a watcher logged in with.
        QByteArray watcherAccount;
        // Sent too much it did not read, or let its time run out; closed at
        // the next turn of the event loop.
        bool dropped = false;
        // The echo bytes of each packet sent: the count of packets sent on
        // this connection, big-endian.
        std::array<uint8_t, 2> NextEcho();
    };

    struct Seat {
        SeatedPlayer player;
        // The client's connection; none for a computer seat or a client that
        // vanished mid-hand, whose seat the computer plays until it reconnects.
        QTcpSocket* socket = nullptr;
        bool client = false;
    };

    void Accept();
    void ReadFrom(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const GamePacket& packet);
    void LogIn(QTcpSocket* socket, const QByteArray& account);
    // The seat whose client holds the account on another connection, taken
    // from that connection; none when no seat holds it.
    int TakeOverSeatOf(const QByteArray& account);
    void Watch(QTcpSocket* socket, const QByteArray& account);
    void Reconnect(QTcpSocket* socket, const QByteArray& account);
    void Ready(QTcpSocket* socket);
    void Leave(QTcpSocket* socket);
    void RelayChat(QTcpSocket* socket, const GamePacket& packet);
    void Move(QTcpSocket* socket, const GamePacket& packet);
    void Reject(QTcpSocket* socket, const QString& reason);
    // Why a connection without a seat may not do `what`.
    QString Unseated(QTcpSocket* socket, const QString& what) const;
    void Close(QTcpSocket* socket);
    void Drop(QTcpSocket* socket);
    // A client seat that let its time run out: its connection is closed.
    void CutOff(int seat);
    // Sends nothing more and closes the connection from the event loop.
    void CloseSoon(QTcpSocket* socket);

    // The seat goes back to the computer between hands; the other clients are told.
    void FreeSeat(int seat);
    void StartHandWhenReady();
    // Starts the next hand for whoever is ready.
    void StartHand();
    void Advance();
    void SettleEndedHand();
    HandTable::Time Now() const;
    // Fills in the echo bytes.
    void Send(QTcpSocket* socket, GamePacket packet);
    // To the seated clients but the one at `exceptSeat`, and to the watchers.
    void SendToClients(const GamePacket& packet, int exceptSeat = kNoSeat);
    void SendToWatchers(const GamePacket& packet);
    // To the seated clients only.
    void SendToPlayers(const GamePacket& packet, int exceptSeat = kNoSeat);
    void AnnounceNewcomer(int seat);

    GameServerSettings settings_;
    QTcpServer server_;
    std::map<QTcpSocket*, Connection> connections_;
    int lastId_ = 0;
    std::array<Seat, 4> seats_;
    HandTable table_;
    int settledHand_ = 0;
    // When the next hand starts even if not every client is ready.
    std::optional<HandTable::Time> startDeadline_;
    ChatPace chatPace_;
    QElapsedTimer clock_;
    QTimer advanceTimer_;
};
