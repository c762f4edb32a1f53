#pragma once
#include "platform/RelayProtocol.h"
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QTcpSocket;

// The relay of the table clients' webcam frames, on loopback. A client logs
// in with its account and asks for links on numbered peerSlots; two accounts are
// linked once each has a slot asking for the other, and DATA then goes from
// one to the other's slot. Frames to a client that is behind are dropped and
// their sender told to thin them out. Every log-in, link, forwarded message,
// refusal and close is one line. Each message costs work in proportion to
// what it changes, never to the number of connections; and one address may
// hold only so many of them.
class VideoRelay : public QObject {
    Q_OBJECT
public:
    // A table's four clients behind one address, many times over; a
    // connection over the cap is closed as soon as it is accepted.
    static constexpr int MaxConnectionsPerAddress = 64;

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
    // One slot of one connection.
    struct SlotRef {
        int id = 0;
        int slot = 0;
        auto operator<=>(const SlotRef&) const = default;
    };
    struct Connection {
        int id = 0;
        QTcpSocket* socket = nullptr;
        QHostAddress address;
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
    // The slot's link, if any, ends on both sides; the peer's slot it leaves unlinked.
    std::optional<SlotRef> Withdraw(Connection& connection, int slot);
    // After a change of `trigger`'s slots (0: a connection that is gone),
    // links every pair of slots that now ask for each other and tells the
    // unlinked asking ones to wait. Only the trigger's slots and those the
    // change left unlinked can be affected; every other pair was settled before.
    void Settle(int trigger, std::vector<SlotRef> unlinked);
    void SettleSlot(Connection& connection, int slot);
    // The lowest free slot of `connection` that asks for `account`; 0 when none.
    static int UnlinkedSlotAsking(const Connection& connection, const QByteArray& account);
    void Drained(int id);
    void Send(Connection& connection, const RelayMessage& message);
    void SendState(Connection& connection, int slot, uint16_t state);
    void Reject(int id, const QString& reason);
    void Close(int id);
    Connection* Find(int id);
    Connection* LoggedIn(const QByteArray& account);

    // A child, so that it and the connections it accepts move with the relay to another thread.
    QTcpServer server_{this};
    std::map<int, Connection> connections_;
    std::map<QByteArray, int> accounts_;
    QHash<QHostAddress, int> connectionsByAddress_;
    int lastId_ = 0;
};
