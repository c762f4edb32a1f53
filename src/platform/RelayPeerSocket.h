#pragma once
#include "platform/P2PSocket.h"
#include "platform/RelayProtocol.h"
#include <QTcpSocket>
#include <array>

// The peer socket over the video relay of the game server's host. The relay
// listens on DRAVIK_RELAY_PORT when that names a valid port, else on RelayPort.
// At most eight slots exist, whatever PeerCount says.
class RelayPeerSocket : public P2PSocket {
public:
    RelayPeerSocket();
    // Raises no events.
    ~RelayPeerSocket() override;

    void PeerLogin(const QString& account) override;
    QString UserID(int16_t slot) const override;
    int16_t PeerState(int16_t slot) const override;
    void RequestVideo(int16_t slot, const QString& account) override;
    void ClosePeer(int16_t slot) override;
    void CloseAll() override;
    void SendFormat(int16_t slot, const QByteArray& format) override;
    void SendCaptureMode(int16_t slot, int16_t mode) override;
    void SendToPeer(int16_t slot, const QByteArray& frame) override;

    // The capture settings a slot's peer sent last; empty and 0 until it has.
    QByteArray PeerFormat(int16_t slot) const;
    int16_t PeerCaptureMode(int16_t slot) const;

private:
    struct PeerSlot {
        QString account;
        int16_t state = PeerLink::Free;
        QByteArray format;
        int16_t mode = 0;
    };

    bool InRange(int16_t slot) const;
    int PortToUse() const;
    // Nothing more of the current connection is read or reported.
    void Forget();
    void AbortQuietly();
    // Ends the connection without a word; the slots in use ask again after the next log-in.
    void Restart();
    // The connection failed with `code` at the next turn of the event loop.
    void FailLater(int16_t code);
    void ReadRelay();
    void Handle(const RelayMessage& message);
    void SendLink(int16_t slot);
    void SendData(int16_t slot, RelayDataKind kind, const QByteArray& payload);
    void Send(const RelayMessage& message);
    // The connection is gone: the log-in answer `code` once, then every slot freed.
    void Lost(int16_t code);

    QTcpSocket socket_;
    RelayReader reader_;
    QByteArray account_;
    // From PeerLogin until the connection is lost or closed.
    bool active_ = false;
    bool answered_ = false;
    bool loggedIn_ = false;
    // Counts the connections, so that a handler that ends one stops the work on it.
    quint64 generation_ = 0;
    std::array<PeerSlot, RelayLimits::MaxSlot + 1> slots_;  // 1 to MaxSlot
};
