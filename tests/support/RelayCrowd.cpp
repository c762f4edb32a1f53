#include "support/RelayCrowd.h"
#include "platform/P2PSocket.h"
#include "support/EventLoopWait.h"
#include <QDeadlineTimer>
#include <QHostAddress>
#include <algorithm>
#include <sys/resource.h>

namespace {
// Well under any listen queue.
constexpr int kConnectBatch = 25;

QByteArray Account(int index) { return "crowd" + QByteArray::number(index); }
QByteArray Absent(int index, int slot) { return "absent" + QByteArray::number(index) + "-" + QByteArray::number(slot); }
}  // namespace

RelayCrowd::RelayCrowd(quint16 relayPort, int size) : port_(relayPort) {
    for (int i = 0; i < size; ++i) clients_.push_back(std::make_unique<Member>());
}

RelayCrowd::~RelayCrowd() {
    for (const auto& member : clients_) member->socket.abort();
}

bool RelayCrowd::Connect(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (size_t first = 0; first < clients_.size(); first += kConnectBatch) {
        const size_t end = std::min(clients_.size(), first + kConnectBatch);
        for (size_t i = first; i < end; ++i) {
            QTcpSocket& socket = clients_[i]->socket;
            socket.bind(QHostAddress(quint32(0x7F000002 + i / ClientsPerAddress)), 0);
            socket.connectToHost(QHostAddress::LocalHost, port_);
        }
        const bool up = WaitUntil(
            [&] {
                return std::all_of(clients_.begin() + qsizetype(first), clients_.begin() + qsizetype(end),
                                   [](const auto& m) { return m->socket.state() == QAbstractSocket::ConnectedState; });
            },
            int(std::max<qint64>(0, deadline.remainingTime())));
        if (!up) return false;
    }
    return true;
}

void RelayCrowd::LogInAndLink() {
    const int size = int(clients_.size());
    for (int i = 0; i < size; ++i) {
        QByteArray messages = EncodeRelayMessage(RelayLogin(Account(i)));
        uint8_t slot = 1;
        for (int neighbour : {i + 1, i - 1, i + 2, i - 2})
            messages += EncodeRelayMessage(RelayLink(slot++, Account((neighbour % size + size) % size)));
        for (; slot <= RelayLimits::MaxSlot; ++slot) messages += EncodeRelayMessage(RelayLink(slot, Absent(i, slot)));
        clients_[size_t(i)]->socket.write(messages);
    }
    for (const auto& member : clients_) member->socket.flush();
}

bool RelayCrowd::Linked(Member& member) {
    member.reader.Append(member.socket.readAll());
    while (const std::optional<RelayMessage> message = member.reader.Next())
        if (message->type == RelayType::State && message->number == uint16_t(PeerLink::Linked)) ++member.linkedSlots;
    return member.linkedSlots >= kNeighbours;
}

bool RelayCrowd::WaitAllLinked(int timeoutMs) {
    return WaitUntil(
        [&] { return std::all_of(clients_.begin(), clients_.end(), [](const auto& m) { return Linked(*m); }); },
        timeoutMs);
}

bool RaiseOpenFileLimit(int needed) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
    if (limit.rlim_cur >= rlim_t(needed)) return true;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < rlim_t(needed)) return false;
    limit.rlim_cur = rlim_t(needed);
    return setrlimit(RLIMIT_NOFILE, &limit) == 0;
}
