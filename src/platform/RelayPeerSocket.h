#pragma once
#include "platform/IntervalTimer.h"
#include "platform/P2PSocket.h"
#include "platform/RelayProtocol.h"
#include <QTcpSocket>
#include <array>

// The peer socket over the video relay of the game server's host. The relay
// listens on DRAVIK_RELAY_PORT when that names a valid port, else on RelayPort.
// At most eight slots exist, whatever PeerCount says.
//
// A connection to the relay that fails or is lost is tried again after 1 s,
// then 2, 4, 8, 16 and 30 s, and every 30 s from then on, until a log-in has
// held for 30 s; the slots in use ask for their links again after each
// log-in. A refused account and closing them all stop the tries.
class RelayPeerSocket : public P2PSocket {
public:
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LongestRetryMs = 30000;
    static constexpr int HeldLoginMs = 30000;

    // Without live timers (in tests) the retry timer only keeps its flag and
    // interval, and the test calls RetryTick itself.
    explicit RelayPeerSocket(bool liveTimers = true);
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

    // Runs, one shot, while a lost connection waits to be tried again, and
    // while a log-in has not yet held long enough to start the waits anew.
    const IntervalTimer& RetryTimer() const { return retry_; }
    void RetryTick();

private:
    struct PeerSlot {
        QString account;
        int16_t state = PeerLink::Free;
        QByteArray format;
        int16_t mode = 0;
    };

    bool InRange(int16_t slot) const;
    int PortToUse() const;
    // Connects to the relay to log account_ in.
    void Connect();
    // Nothing more of the current connection is read or reported.
    void Forget();
    void AbortQuietly();
    // Ends the connection without a word; the slots in use ask again after the next log-in.
    void Restart();
    // A log-in that cannot even be tried fails with `code` at the next turn of the event loop.
    void FailLater(int16_t code);
    void StartRetryTimer(int intervalMs);
    void ReadRelay();
    void Handle(const RelayMessage& message);
    void SendLink(int16_t slot);
    void SendData(int16_t slot, RelayDataKind kind, const QByteArray& payload);
    void Send(const RelayMessage& message);
    // The connection is gone: the log-in answer `code` once, then every
    // linked slot back to asking; tried again later when `tryAgain`, unless
    // the relay refused the account.
    void Lost(int16_t code, bool tryAgain);

    QTcpSocket socket_;
    RelayReader reader_;
    QByteArray account_;
    // From PeerLogin until the connection is lost or closed.
    bool active_ = false;
    bool answered_ = false;
    bool loggedIn_ = false;
    // Counts the connections, so that a handler that ends one stops the work on it.
    quint64 generation_ = 0;
    IntervalTimer retry_;
    // The wait before the next try after a loss.
    int nextRetryMs_ = FirstRetryMs;
    std::array<PeerSlot, RelayLimits::MaxSlot + 1> slots_;  // 1 to MaxSlot
};
