#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

// The video component's peer socket: a log-in to the relay on the game
// server's host and numbered peer links, slots 1 to PeerCount, each tied to
// one account. Its calls and events run on the window thread.
class P2PSocket {
public:
    virtual ~P2PSocket() = default;

    QString RelayHost;
    int32_t RelayPort = 0;
    int16_t PeerCount = 0;
    bool Visible = true;

    // Logs the account in to the relay; the answer comes as OnLoginResult.
    virtual void PeerLogin(const QString& account) = 0;
    // The account a slot is linked or being linked to; empty for a free slot
    // or one outside 1 to PeerCount.
    virtual QString UserID(int16_t slot) const = 0;
    // 0 or less free, below 10 not linked, 10 to 14 linked, 15 ready for every frame.
    virtual int16_t PeerState(int16_t slot) const = 0;
    // Asks for a link on the slot to that account's client; the link forms
    // once that client asks for one to us as well.
    virtual void RequestVideo(int16_t slot, const QString& account) = 0;
    virtual void ClosePeer(int16_t slot) = 0;
    virtual void CloseAll() = 0;
    // Data to the peer of a linked slot; nothing goes out on any other slot,
    // and no frame that holds no picture (VideoFrame.h).
    virtual void SendFormat(int16_t slot, const QByteArray& format) = 0;
    virtual void SendCaptureMode(int16_t slot, int16_t mode) = 0;
    virtual void SendToPeer(int16_t slot, const QByteArray& frame) = 0;

    // Events: the relay's answer to the log-in, a slot's new state, a frame
    // from a slot's peer (never one that holds no picture).
    std::function<void(int16_t code)> OnLoginResult;
    std::function<void(int16_t slot, int16_t state)> OnStateChange;
    std::function<void(int16_t slot, const QByteArray& frame)> OnDataArrival;
};

// The log-in answers.
namespace PeerLogin {
constexpr int16_t Unreachable = 0;  // no relay, or it closed the connection
constexpr int16_t Refused = 1;      // the relay did not take the account
constexpr int16_t LoggedIn = 2;
}  // namespace PeerLogin

// The link states a slot goes through.
namespace PeerLink {
constexpr int16_t Free = 0;
constexpr int16_t Asked = 1;       // requested, not linked yet (or again, after a lost relay)
constexpr int16_t Waiting = 5;     // the relay waits for the peer to ask as well
constexpr int16_t Throttled = 12;  // linked, but the peer is behind: frames are thinned
constexpr int16_t Linked = 14;     // both sides asked
constexpr int16_t Ready = 15;      // the peer's data has come: every frame goes out
}  // namespace PeerLink
