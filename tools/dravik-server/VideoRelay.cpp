#include "dravik-server/VideoRelay.h"
#include "platform/P2PSocket.h"
#include <QStringDecoder>
#include <QTcpSocket>
#include <algorithm>
#include <utility>

namespace {
// A frame for a client with more than this waiting unsent is dropped, and its
// sender told to thin its frames out ...
constexpr qint64 kThrottleAbove = 1 << 20;
// ... until the client has caught up to below this.
constexpr qint64 kThrottleBelow = 256 * 1024;
// Frames alone cannot get a client past a frame over kThrottleAbove; only a
// client that has stopped reading while others keep sending it formats,
// modes and states gets here, and it is closed rather than let the relay grow.
constexpr qint64 kMaxUnsentBytes = 4 << 20;
// What is taken from one socket at a time; the rest waits in the system's buffers.
constexpr qint64 kReadSliceBytes = 64 * 1024;

// Valid UTF-8 without control characters, so that every log line stays one line.
bool AcceptableAccount(const QByteArray& account) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(account);
    if (decoder.hasError()) return false;
    for (const QChar ch : text)
        if (ch.category() == QChar::Other_Control) return false;
    return true;
}

QString KindWord(RelayDataKind kind) {
    switch (kind) {
    case RelayDataKind::Frame: return QStringLiteral("frame");
    case RelayDataKind::Format: return QStringLiteral("format");
    case RelayDataKind::Mode: return QStringLiteral("mode");
    }
    return {};
}

QString AccountText(const QByteArray& account) {
    return account.isEmpty() ? QStringLiteral("-") : QString::fromUtf8(account);
}
}  // namespace

VideoRelay::VideoRelay() { connect(&server_, &QTcpServer::newConnection, this, &VideoRelay::Accept); }

VideoRelay::~VideoRelay() {
    // The listening server deletes the sockets still open; none of them may
    // report its close to a relay that is half gone.
    for (const auto& entry : connections_) entry.second.socket->disconnect(this);
}

bool VideoRelay::Listen(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port)) return false;
    emit Event(QStringLiteral("relay listening on %1").arg(server_.serverPort()));
    return true;
}

quint16 VideoRelay::Port() const { return server_.serverPort(); }

QString VideoRelay::ErrorText() const { return server_.errorString(); }

VideoRelay::Connection* VideoRelay::Find(int id) {
    const auto found = connections_.find(id);
    return found == connections_.end() ? nullptr : &found->second;
}

VideoRelay::Connection* VideoRelay::LoggedIn(const QByteArray& account) {
    const auto found = accounts_.find(account);
    if (found == accounts_.end()) return nullptr;
    Connection* connection = Find(found->second);
    return connection && !connection->closing ? connection : nullptr;
}

void VideoRelay::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const QHostAddress address = socket->peerAddress();
        int& fromAddress = connectionsByAddress_[address];
        if (fromAddress >= MaxConnectionsPerAddress) {
            emit Event(QStringLiteral("relay reject - over %1 connections from %2")
                           .arg(MaxConnectionsPerAddress)
                           .arg(address.toString()));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++fromAddress;
        const int id = ++lastId_;
        connections_[id].id = id;
        connections_[id].socket = socket;
        connections_[id].address = address;
        socket->setReadBufferSize(kReadSliceBytes);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { ReadFrom(id); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, id] { Drained(id); });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] { Close(id); });
    }
}

void VideoRelay::ReadFrom(int id) {
    Connection* connection = Find(id);
    if (!connection || connection->closing) return;
    connection->reader.Append(connection->socket->readAll());
    for (;;) {
        // A message handled on the way may have closed this very connection.
        connection = Find(id);
        if (!connection || connection->closing) return;
        const std::optional<RelayMessage> message = connection->reader.Next();
        if (!message) break;
        Handle(id, *message);
    }
    if (!connection->reader.Error().isEmpty()) Reject(id, connection->reader.Error());
}

void VideoRelay::Handle(int id, const RelayMessage& message) {
    Connection& connection = connections_.at(id);
    if (message.type == RelayType::Login) {
        if (connection.loginSeen) return Reject(id, QStringLiteral("second LOGIN"));
        connection.loginSeen = true;
        return LogIn(id, message.bytes);
    }
    if (message.type != RelayType::Link && message.type != RelayType::Unlink && message.type != RelayType::Data)
        return Reject(id, QStringLiteral("%1 from a client").arg(RelayTypeName(message.type)));
    if (connection.account.isEmpty()) {
        const QString when =
            connection.loginSeen ? QStringLiteral("after a refused LOGIN") : QStringLiteral("before LOGIN");
        return Reject(id, QStringLiteral("%1 %2").arg(RelayTypeName(message.type), when));
    }
    if (message.type == RelayType::Data) return Forward(id, message);
    const std::optional<SlotRef> unlinked = Withdraw(connection, message.slot);
    connection.peerSlots[message.slot] = Slot{};
    if (message.type == RelayType::Link) connection.peerSlots[message.slot].asked = message.bytes;
    Settle(id, unlinked ? std::vector{*unlinked} : std::vector<SlotRef>{});
}

// A client that starts again replaces its old link: the older connection of
// the same account goes, and its peers wait for the new one to ask again.
void VideoRelay::LogIn(int id, const QByteArray& account) {
    if (!AcceptableAccount(account)) return Send(connections_.at(id), RelayLoginResult(uint16_t(PeerLogin::Refused)));
    if (const auto older = accounts_.find(account); older != accounts_.end()) Close(older->second);
    Connection& connection = connections_.at(id);
    connection.account = account;
    accounts_[account] = id;
    emit Event(QStringLiteral("relay login %1").arg(AccountText(account)));
    Send(connection, RelayLoginResult(uint16_t(PeerLogin::LoggedIn)));
}

void VideoRelay::Forward(int id, const RelayMessage& message) {
    Connection& sender = connections_.at(id);
    // Data on a slot that is not linked races with its unlinking: dropped.
    if (message.slot < 1 || message.slot > RelayLimits::MaxSlot) return;
    Slot& from = sender.peerSlots[message.slot];
    Connection* receiver = from.partner ? Find(from.partner) : nullptr;
    if (!receiver || receiver->closing) return;
    if (message.kind == RelayDataKind::Frame && receiver->socket->bytesToWrite() > kThrottleAbove) {
        if (from.state != uint16_t(PeerLink::Throttled)) {
            SendState(sender, message.slot, uint16_t(PeerLink::Throttled));
            receiver->throttledSenders.emplace_back(id, message.slot);
        }
        return;
    }
    const int slot = from.partnerSlot;
    if (!receiver->peerSlots[slot].peerDataCame) {
        receiver->peerSlots[slot].peerDataCame = true;
        SendState(*receiver, slot, uint16_t(PeerLink::Ready));
    }
    Send(*receiver, RelayPeerData(uint8_t(slot), message.kind, message.bytes));
    emit Event(QStringLiteral("relay data %1 %2 %3 %4")
                   .arg(AccountText(sender.account), AccountText(receiver->account), KindWord(message.kind))
                   .arg(message.bytes.size()));
}

std::optional<VideoRelay::SlotRef> VideoRelay::Withdraw(Connection& connection, int slot) {
    Slot& own = connection.peerSlots[slot];
    std::optional<SlotRef> unlinked;
    if (Connection* peer = own.partner ? Find(own.partner) : nullptr) {
        Slot& other = peer->peerSlots[own.partnerSlot];
        other.partner = 0;
        other.partnerSlot = 0;
        other.peerDataCame = false;
        unlinked = SlotRef{peer->id, own.partnerSlot};
    }
    own.partner = 0;
    own.partnerSlot = 0;
    own.peerDataCame = false;
    return unlinked;
}

int VideoRelay::UnlinkedSlotAsking(const Connection& connection, const QByteArray& account) {
    for (int slot = 1; slot <= RelayLimits::MaxSlot; ++slot)
        if (connection.peerSlots[slot].partner == 0 && connection.peerSlots[slot].asked == account) return slot;
    return 0;
}

// The trigger's slots go first, so that a pair its LINK completes is logged
// with its account first; the slots left unlinked follow in the order of
// their connections.
void VideoRelay::Settle(int trigger, std::vector<SlotRef> unlinked) {
    if (Connection* first = Find(trigger))
        for (int slot = 1; slot <= RelayLimits::MaxSlot; ++slot) SettleSlot(*first, slot);
    std::sort(unlinked.begin(), unlinked.end());
    for (const SlotRef& ref : unlinked)
        if (Connection* connection = Find(ref.id)) SettleSlot(*connection, ref.slot);
}

void VideoRelay::SettleSlot(Connection& connection, int slot) {
    if (connection.closing || connection.account.isEmpty()) return;
    Slot& own = connection.peerSlots[slot];
    if (own.asked.isEmpty() || own.partner) return;
    Connection* peer = LoggedIn(own.asked);
    const int peerSlot = peer && peer != &connection ? UnlinkedSlotAsking(*peer, connection.account) : 0;
    if (!peerSlot) {
        if (own.state != uint16_t(PeerLink::Waiting)) SendState(connection, slot, uint16_t(PeerLink::Waiting));
        return;
    }
    own.partner = peer->id;
    own.partnerSlot = peerSlot;
    peer->peerSlots[peerSlot].partner = connection.id;
    peer->peerSlots[peerSlot].partnerSlot = slot;
    SendState(connection, slot, uint16_t(PeerLink::Linked));
    SendState(*peer, peerSlot, uint16_t(PeerLink::Linked));
    emit Event(QStringLiteral("relay link %1 %2").arg(AccountText(connection.account), AccountText(peer->account)));
}

void VideoRelay::Drained(int id) {
    Connection* receiver = Find(id);
    if (!receiver || receiver->throttledSenders.empty() || receiver->socket->bytesToWrite() >= kThrottleBelow) return;
    for (const auto& [senderId, slot] : std::exchange(receiver->throttledSenders, {})) {
        Connection* sender = Find(senderId);
        if (!sender || sender->peerSlots[slot].partner != id) continue;
        if (sender->peerSlots[slot].state == uint16_t(PeerLink::Throttled))
            SendState(*sender, slot, uint16_t(PeerLink::Ready));
    }
}

void VideoRelay::SendState(Connection& connection, int slot, uint16_t state) {
    connection.peerSlots[slot].state = state;
    Send(connection, RelayState(uint8_t(slot), state));
}

void VideoRelay::Send(Connection& connection, const RelayMessage& message) {
    if (connection.closing) return;
    connection.socket->write(EncodeRelayMessage(message));
    if (connection.socket->bytesToWrite() <= kMaxUnsentBytes) return;
    connection.closing = true;
    emit Event(QStringLiteral("relay reject %1 %2 bytes unsent")
                   .arg(AccountText(connection.account))
                   .arg(connection.socket->bytesToWrite()));
    // Sends come in the middle of walks over the connections; the close
    // waits for the top of the event loop.
    QMetaObject::invokeMethod(this, [this, id = connection.id] { Close(id); }, Qt::QueuedConnection);
}

void VideoRelay::Reject(int id, const QString& reason) {
    emit Event(QStringLiteral("relay reject %1 %2").arg(AccountText(connections_.at(id).account), reason));
    Close(id);
}

void VideoRelay::Close(int id) {
    const auto found = connections_.find(id);
    if (found == connections_.end()) return;
    Connection connection = std::move(found->second);
    connections_.erase(found);
    connection.socket->disconnect(this);
    connection.socket->abort();
    connection.socket->deleteLater();
    if (--connectionsByAddress_[connection.address] <= 0) connectionsByAddress_.remove(connection.address);
    if (!connection.account.isEmpty()) {
        if (const auto entry = accounts_.find(connection.account); entry != accounts_.end() && entry->second == id)
            accounts_.erase(entry);
        emit Event(QStringLiteral("relay close %1").arg(AccountText(connection.account)));
    }
    std::vector<SlotRef> unlinked;
    for (int slot = 1; slot <= RelayLimits::MaxSlot; ++slot)
        if (const std::optional<SlotRef> peerSlot = Withdraw(connection, slot)) unlinked.push_back(*peerSlot);
    Settle(0, std::move(unlinked));
}
