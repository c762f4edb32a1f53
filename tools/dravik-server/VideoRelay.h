#pragma once
#include "platform/RelayProtocol.h"
#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <array>
#include <map>
#include <utility>
#include <vector>

class QTcpSocket;

// The relay of the table clients' webcam frames, on loopback. A client logs
// in with its account and asks for links on numbered peerSlots; two accounts are
// linked once each has a slot asking for the other, and DATA then goes from
// one to the other's slot. Frames to a client that is behind are dropped and
// their sender told to thin them out. Every log-in, link, forwarded message,
// refusal and close is one line.
class VideoRelay : public QObject {
    Q_OBJECT
public:
    VideoRelay();
    ~VideoRelay() override;
    // Logs `relay listening on PORT` once it listens.
    bool Listen(quint16 port);
    quint16 Port() const;
    QString ErrorText() const;

signals:
    void Event(const QString& line);

private:
    struct Slot {
        QByteArray asked;  // the account this slot asks for; empty for a free slot
        int partner = 0;   // the linked connection's id, 0 while not linked
        int partnerSlot = 0;
        uint16_t state = 0;  // the last state sent for this slot
        bool peerDataCame = false;
    };
    struct Connection {
        int id = 0;
        QTcpSocket* socket = nullptr;
        RelayReader reader;
        bool loginSeen = false;
        QByteArray account;  // empty until logged in
        std::array<Slot, RelayLimits::MaxSlot + 1> peerSlots;  // 1 to MaxSlot
        // The (connection, slot) senders whose frames to this one were dropped.
        std::vector<std::pair<int, int>> throttledSenders;
        // Over the hard backlog cap: sends nothing more and goes at the next turn of the event loop.
        bool closing = false;
    };

    void Accept();
    void ReadFrom(int id);
    void Handle(int id, const RelayMessage& message);
    void LogIn(int id, const QByteArray& account);
    void Forward(int id, const RelayMessage& message);
    // The slot's link, if any, ends on both sides.
    void Withdraw(Connection& connection, int slot);
    // Links every pair of peerSlots that ask for each other; unlinked asking peerSlots wait.
    void Settle(int trigger);
    // The lowest free slot of `connection` that asks for `account`; 0 when none.
    static int UnlinkedSlotAsking(const Connection& connection, const QByteArray& account);
    void Drained(int id);
    void Send(Connection& connection, const RelayMessage& message);
    void SendState(Connection& connection, int slot, uint16_t state);
    void Reject(int id, const QString& reason);
    void Close(int id);
    Connection* Find(int id);
    Connection* LoggedIn(const QByteArray& account);

    QTcpServer server_;
    std::map<int, Connection> connections_;
    std::map<QByteArray, int> accounts_;
    int lastId_ = 0;
};
