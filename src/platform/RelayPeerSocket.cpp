#include "platform/RelayPeerSocket.h"
#include "platform/VideoFrame.h"
#include <QSignalBlocker>
#include <algorithm>

namespace {
// Frames are dropped rather than queued once this much waits unsent: the
// relay is behind, and a later frame is worth more than an old one.
constexpr qint64 kMaxUnsentBytes = 1 << 20;
constexpr int kLowestLinkedState = 10;
}  // namespace

RelayPeerSocket::RelayPeerSocket(bool liveTimers) : retry_(FirstRetryMs, liveTimers) {
    retry_.OnTick([this] { RetryTick(); });
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(&socket_, &QTcpSocket::connected, &socket_, [this] {
        if (active_) Send(RelayLogin(account_));
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { ReadRelay(); });
    // What has come before a close is handled before the close is.
    const auto closed = [this] {
        if (!active_) return;
        const quint64 generation = generation_;
        ReadRelay();
        if (generation == generation_) Lost(PeerLogin::Unreachable, true);
    };
    QObject::connect(&socket_, &QTcpSocket::disconnected, &socket_, closed);
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_, closed);
}

RelayPeerSocket::~RelayPeerSocket() { socket_.disconnect(); }

bool RelayPeerSocket::InRange(int16_t slot) const {
    return slot >= 1 && slot <= std::min<int>(PeerCount, RelayLimits::MaxSlot);
}

int RelayPeerSocket::PortToUse() const {
    bool ok = false;
    const int configured = qEnvironmentVariableIntValue("DRAVIK_RELAY_PORT", &ok);
    if (ok && configured >= 1 && configured <= 65535) return configured;
    return RelayPort >= 1 && RelayPort <= 65535 ? int(RelayPort) : 0;
}

void RelayPeerSocket::PeerLogin(const QString& account) {
    Restart();
    nextRetryMs_ = FirstRetryMs;
    account_ = account.toUtf8();
    Connect();
}

void RelayPeerSocket::Connect() {
    active_ = true;
    if (account_.isEmpty() || account_.size() > RelayLimits::MaxAccountBytes) return FailLater(PeerLogin::Refused);
    const int port = PortToUse();
    if (!port) return FailLater(PeerLogin::Unreachable);
    socket_.connectToHost(RelayHost, quint16(port));
}

void RelayPeerSocket::RetryTick() {
    retry_.SetEnabled(false);
    if (loggedIn_) {
        nextRetryMs_ = FirstRetryMs;
        return;
    }
    if (!active_ && !account_.isEmpty()) Connect();
}

void RelayPeerSocket::StartRetryTimer(int intervalMs) {
    retry_.SetEnabled(false);
    retry_.SetIntervalMs(intervalMs);
    retry_.SetEnabled(true);
}

void RelayPeerSocket::Forget() {
    active_ = false;
    answered_ = false;
    loggedIn_ = false;
    ++generation_;
    reader_ = RelayReader();
}

void RelayPeerSocket::AbortQuietly() {
    const QSignalBlocker quiet(socket_);
    socket_.abort();
}

void RelayPeerSocket::Restart() {
    Forget();
    AbortQuietly();
    retry_.SetEnabled(false);
    for (PeerSlot& slot : slots_)
        if (slot.state != PeerLink::Free) slot.state = PeerLink::Asked;
}

void RelayPeerSocket::FailLater(int16_t code) {
    QMetaObject::invokeMethod(
        &socket_, [this, code, generation = generation_] { if (generation == generation_) Lost(code, false); },
        Qt::QueuedConnection);
}

void RelayPeerSocket::Lost(int16_t code, bool tryAgain) {
    if (!active_) return;
    // A relay that refused the account would refuse it again.
    const bool refused = answered_ && !loggedIn_;
    Forget();
    AbortQuietly();
    if (tryAgain && !refused) {
        StartRetryTimer(nextRetryMs_);
        nextRetryMs_ = std::min(2 * nextRetryMs_, LongestRetryMs);
    } else {
        retry_.SetEnabled(false);
    }
    const quint64 generation = generation_;
    if (OnLoginResult) OnLoginResult(code);
    // A handler may log in again or free slots itself: every step reads the slots anew.
    for (int16_t slot = 1; slot <= RelayLimits::MaxSlot && generation == generation_; ++slot) {
        if (slots_[slot].state == PeerLink::Free || slots_[slot].state == PeerLink::Asked) continue;
        slots_[slot] = PeerSlot{slots_[slot].account, PeerLink::Asked, {}, 0};
        if (OnStateChange) OnStateChange(slot, PeerLink::Asked);
    }
}

void RelayPeerSocket::ReadRelay() {
    if (!active_) return;
    const quint64 generation = generation_;
    if (socket_.bytesAvailable() > 0) reader_.Append(socket_.readAll());
    while (generation == generation_) {
        const std::optional<RelayMessage> message = reader_.Next();
        if (!message) break;
        Handle(*message);
    }
    if (generation == generation_ && !reader_.Error().isEmpty()) Lost(PeerLogin::Unreachable, true);
}

// Anything the relay would never send breaks the connection like a close.
void RelayPeerSocket::Handle(const RelayMessage& message) {
    if (message.type == RelayType::LoginResult && !answered_) {
        answered_ = true;
        loggedIn_ = message.number == uint16_t(PeerLogin::LoggedIn);
        if (loggedIn_) {
            StartRetryTimer(HeldLoginMs);
            for (int16_t slot = 1; slot <= RelayLimits::MaxSlot; ++slot)
                if (slots_[slot].state != PeerLink::Free) SendLink(slot);
        }
        if (OnLoginResult) OnLoginResult(int16_t(message.number));
        return;
    }
    if (!loggedIn_ || (message.type != RelayType::State && message.type != RelayType::PeerData))
        return Lost(PeerLogin::Unreachable, true);
    // Answers for a slot freed meanwhile race with its unlinking: dropped.
    const auto slot = int16_t(message.slot);
    if (!InRange(slot) || slots_[slot].state == PeerLink::Free) return;
    if (message.type == RelayType::State) {
        slots_[slot].state = int16_t(message.number);
        if (OnStateChange) OnStateChange(slot, int16_t(message.number));
        return;
    }
    switch (message.kind) {
    case RelayDataKind::Frame:
        // A frame without a picture would only open a black panel over the seat's portrait.
        if (OnDataArrival && FrameHoldsPicture(message.bytes)) OnDataArrival(slot, message.bytes);
        break;
    case RelayDataKind::Format: slots_[slot].format = message.bytes; break;
    case RelayDataKind::Mode: slots_[slot].mode = ModeOfPayload(message.bytes); break;
    }
}

QString RelayPeerSocket::UserID(int16_t slot) const { return InRange(slot) ? slots_[slot].account : QString(); }

int16_t RelayPeerSocket::PeerState(int16_t slot) const { return InRange(slot) ? slots_[slot].state : PeerLink::Free; }

QByteArray RelayPeerSocket::PeerFormat(int16_t slot) const {
    return InRange(slot) ? slots_[slot].format : QByteArray();
}

int16_t RelayPeerSocket::PeerCaptureMode(int16_t slot) const { return InRange(slot) ? slots_[slot].mode : 0; }

void RelayPeerSocket::RequestVideo(int16_t slot, const QString& account) {
    if (!InRange(slot)) return;
    slots_[slot] = PeerSlot{account, PeerLink::Asked, {}, 0};
    if (loggedIn_) SendLink(slot);
}

// An account the relay could not take stays asked and is never linked.
void RelayPeerSocket::SendLink(int16_t slot) {
    const QByteArray account = slots_[slot].account.toUtf8();
    if (account.isEmpty() || account.size() > RelayLimits::MaxAccountBytes) return;
    Send(RelayLink(uint8_t(slot), account));
}

void RelayPeerSocket::ClosePeer(int16_t slot) {
    if (!InRange(slot) || slots_[slot].state == PeerLink::Free) return;
    if (loggedIn_) Send(RelayUnlink(uint8_t(slot)));
    slots_[slot] = PeerSlot{};
}

void RelayPeerSocket::CloseAll() {
    for (int16_t slot = 1; slot <= RelayLimits::MaxSlot; ++slot) {
        if (slots_[slot].state == PeerLink::Free) continue;
        if (loggedIn_) Send(RelayUnlink(uint8_t(slot)));
        slots_[slot] = PeerSlot{};
    }
    Forget();
    retry_.SetEnabled(false);
    // The unlinks still go out before the connection closes.
    socket_.disconnectFromHost();
}

void RelayPeerSocket::SendFormat(int16_t slot, const QByteArray& format) {
    if (format.size() <= RelayLimits::MaxFormatBytes) SendData(slot, RelayDataKind::Format, format);
}

void RelayPeerSocket::SendCaptureMode(int16_t slot, int16_t mode) {
    SendData(slot, RelayDataKind::Mode, ModePayload(mode));
}

// A client without a camera has only an empty frame to greet its links with: nothing goes out.
void RelayPeerSocket::SendToPeer(int16_t slot, const QByteArray& frame) {
    if (!FrameHoldsPicture(frame) || socket_.bytesToWrite() > kMaxUnsentBytes) return;
    SendData(slot, RelayDataKind::Frame, frame);
}

void RelayPeerSocket::SendData(int16_t slot, RelayDataKind kind, const QByteArray& payload) {
    if (!loggedIn_ || !InRange(slot) || slots_[slot].state < kLowestLinkedState) return;
    Send(RelayData(uint8_t(slot), kind, payload));
}

void RelayPeerSocket::Send(const RelayMessage& message) {
    if (socket_.state() == QAbstractSocket::ConnectedState) socket_.write(EncodeRelayMessage(message));
}
