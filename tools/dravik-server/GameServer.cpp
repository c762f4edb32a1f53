#include "dravik-server/GameServer.h"
#include "dravik-server/HandPackets.h"
#include "dravik-server/PacketFraming.h"
#include "dravik-server/ServerPackets.h"
#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include "shared/GameMessage.h"
#include <QTcpSocket>
#include <algorithm>
#include <cstring>

namespace {
constexpr int kLoginAccepted = 1;
constexpr int kLoginRefused = 2;
constexpr int kPlayersLeft = 1;
constexpr int kChatTextBytes = 200;
constexpr int kAdvanceMs = 20;
// What may wait unsent for one client: thousands of packets, far more than a
// hand or a reconnect sends at once, so only a client that has stopped reading
// gets there. Such a client is dropped at once, as chat servers drop one whose
// send queue is full: waiting any longer would only let the server grow at the
// pace of the chat, and the client can still come back to its seat.
constexpr qint64 kMaxUnsentBytes = 1 << 20;
// What is taken from one client's socket at a time: a client that sends
// faster than the server works leaves the rest in the system's buffers
// instead of in the server's memory, and what one read relays to the others
// stays far below what may wait for them.
constexpr qint64 kReadSliceBytes = 64 * qint64(sizeof(GamePacket));
// A client tells its player "the game starts within 15 seconds" once the
// table is full and after every hand, and counts them down from when it has
// taken in the hand's results, which it does at its own pace. A hand starts
// when every client is ready, or once that time and some grace have passed:
// the clients' own countdowns end first, so a hand never starts under a
// client that is still counting.
constexpr std::chrono::seconds kStartWithin{15 + 3};

HandTableSettings TableSettings(const GameServerSettings& settings) {
    HandTableSettings table;
    table.turnSeconds = settings.turnSeconds;
    table.computerMoveDelay = std::chrono::milliseconds(settings.computerMoveMs);
    return table;
}
}  // namespace

std::array<uint8_t, 2> GameServer::Connection::NextEcho() {
    ++sentPackets;
    return {uint8_t(sentPackets >> 8), uint8_t(sentPackets & 0xFF)};
}

GameServer::GameServer(const GameServerSettings& settings)
    : settings_(settings),
      table_(
          TableSettings(settings), settings.seed,
          [this](int seat, const GamePacket& packet) {
              if (seats_[seat].socket) Send(seats_[seat].socket, packet);
          },
          [this](const QString& line) { emit Event(line); }),
      chatPace_(ChatPace::Time(settings.chatPauseMs)) {
    table_.SetWatch([this](const GamePacket& packet) { SendToWatchers(packet); });
    table_.SetTimeUp([this](int seat) { CutOff(seat); });
    for (int seat = 0; seat < 4; ++seat) {
        seats_[seat].player = {ComputerRecord(seat), true};
        table_.SetLevelTitle(seat, seats_[seat].player.record.levelTitle);
    }
    connect(&server_, &QTcpServer::newConnection, this, &GameServer::Accept);
    connect(&advanceTimer_, &QTimer::timeout, this, &GameServer::Advance);
    clock_.start();
    advanceTimer_.start(kAdvanceMs);
}

GameServer::~GameServer() {
    // The listening server deletes the sockets still open; none of them may
    // report its close to a server that is half gone.
    for (const auto& entry : connections_) entry.first->disconnect(this);
}

bool GameServer::Listen(quint16 port) { return server_.listen(QHostAddress::LocalHost, port); }

quint16 GameServer::Port() const { return server_.serverPort(); }

QString GameServer::ErrorText() const { return server_.errorString(); }

HandTable::Time GameServer::Now() const { return HandTable::Time(clock_.elapsed()); }

void GameServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const int id = ++lastId_;
        connections_[socket].id = id;
        socket->setReadBufferSize(kReadSliceBytes);
        emit Event(QStringLiteral("connect %1").arg(id));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Close(socket); });
    }
}

void GameServer::ReadFrom(QTcpSocket* socket) {
    Connection& connection = connections_.at(socket);
    if (connection.dropped) return;
    connection.pending += socket->readAll();
    for (const GamePacket& packet : TakeWholePackets(connection.pending)) {
        emit Event(QStringLiteral("recv %1 ").arg(connection.id) + DescribePacket(packet.data()));
        Answer(socket, packet);
        // A close handled on the way ends the connection's reading.
        if (!connections_.contains(socket)) return;
    }
}

void GameServer::Answer(QTcpSocket* socket, const GamePacket& packet) {
    const GameMessage header = DecodeGamePacketFull(packet.data());
    const int type = uint16_t(header.MsgType);
    if (type == MessageType::Login) {
        LogIn(socket, AccountOf(packet.data()));
    } else if (type == MessageType::Reconnect) {
        Reconnect(socket, AccountOf(packet.data()));
    } else if (type == MessageType::ReadyOrLeave && header.Param == std::array<int16_t, 4>{}) {
        Leave(socket);
    } else if (type == MessageType::ReadyOrLeave && header.Param == std::array<int16_t, 4>{0, 0, 0, 1}) {
        Ready(socket);
    } else if (type == MessageType::ChatLine) {
        RelayChat(socket, packet);
    } else if (type == MessageType::Discard || type == MessageType::ClaimAnswer) {
        Move(socket, packet);
    } else if (type != MessageType::KeepAlive) {
        Reject(socket, QStringLiteral("unknown type %1").arg(type));
    }
}

void GameServer::Reject(QTcpSocket* socket, const QString& reason) {
    emit Event(QStringLiteral("reject %1 %2").arg(connections_.at(socket).id).arg(reason));
}

QString GameServer::Unseated(QTcpSocket* socket, const QString& what) const {
    return what + (connections_.at(socket).watcher ? QStringLiteral(" of a watcher") : QStringLiteral(" without a seat"));
}

// A log-in takes the first free seat; one on a seated connection between
// hands seats the client again at its seat.
void GameServer::LogIn(QTcpSocket* socket, const QByteArray& account) {
    Connection& connection = connections_.at(socket);
    if (connection.watcher) return Reject(socket, QStringLiteral("second log-in of a watcher"));
    if (connection.seat == kNoSeat && settings_.watchers.contains(account)) return Watch(socket, account);
    if (table_.HandRunning()) {
        Reject(socket, QStringLiteral("log-in while a hand runs"));
        if (connection.seat == kNoSeat)
            Send(socket, LoginReplyPacket(kLoginRefused, settings_.turnSeconds, settings_.timeoutLimit, {}, {}));
        return;
    }
    int seat = connection.seat;
    if (seat == kNoSeat) seat = TakeOverSeatOf(account);
    if (seat == kNoSeat) {
        const auto free = std::find_if(seats_.begin(), seats_.end(), [](const Seat& s) { return !s.client; });
        if (free == seats_.end()) {
            Reject(socket, QStringLiteral("the table is full"));
            Send(socket, LoginReplyPacket(kLoginRefused, settings_.turnSeconds, settings_.timeoutLimit, {}, {}));
            return;
        }
        seat = int(free - seats_.begin());
    }
    Send(socket, LoginReplyPacket(kLoginAccepted, settings_.turnSeconds, settings_.timeoutLimit, settings_.bannerUrl, {}));
    connection.seat = seat;
    Seat& taken = seats_[seat];
    const QByteArray previousHolder = taken.player.record.account;
    taken.player = {ClientRecord(account, seat), false};
    taken.socket = socket;
    taken.client = true;
    table_.SetClientSeat(seat, true);
    table_.SetLevelTitle(seat, taken.player.record.levelTitle);
    emit Event(QStringLiteral("seat %1 account=%2 bit=%3").arg(connection.id).arg(AccountText(account)).arg(BitOf(seat)));
    std::array<SeatedPlayer, 4> players;
    for (int k = 0; k < 4; ++k) players[k] = seats_[k].player;
    for (const GamePacket& packet : SeatingPackets(seat, players, OthersSeated::ToBeFound)) Send(socket, packet);
    // The seated players see the seat's holder leave and the newcomer arrive.
    SendToPlayers(PlayerLeftPacket(previousHolder), seat);
    AnnounceNewcomer(seat);
    startDeadline_ = Now() + kStartWithin;
}

// An account plays at one seat only: its log-in on another connection takes
// the seat over, and the older connection is told that the account has left,
// on which its client ends.
int GameServer::TakeOverSeatOf(const QByteArray& account) {
    const auto held = std::find_if(seats_.begin(), seats_.end(), [&](const Seat& s) {
        return s.client && s.socket && s.player.record.account == account;
    });
    if (held == seats_.end()) return kNoSeat;
    QTcpSocket* older = held->socket;
    Connection& olderConnection = connections_.at(older);
    emit Event(QStringLiteral("leave %1 account=%2").arg(olderConnection.id).arg(AccountText(account)));
    Send(older, PlayerLeftPacket(account));
    olderConnection.seat = kNoSeat;
    held->socket = nullptr;
    return int(held - seats_.begin());
}

// A watcher is shown the table as it stands: while a hand runs, the hand's
// set-up, from which its client finds the wall's break, then the four
// players under their seat bits (its client places the watched one by user
// id), then the hand rebuilt with every seat's tiles. From then on it gets
// what the players get but their prompts and the chat.
void GameServer::Watch(QTcpSocket* socket, const QByteArray& account) {
    Connection& connection = connections_.at(socket);
    connection.watcher = true;
    connection.watcherAccount = account;
    emit Event(QStringLiteral("watch %1 account=%2").arg(connection.id).arg(AccountText(account)));
    Send(socket, LoginReplyPacket(kLoginAccepted, settings_.turnSeconds, settings_.timeoutLimit, settings_.bannerUrl, {}));
    if (table_.HandRunning()) Send(socket, table_.SetupPacket());
    for (int seat = 0; seat < 4; ++seat) Send(socket, PlayerJoinedPacket(BitOf(seat), seats_[seat].player.record));
    if (!table_.HandRunning()) return;
    for (const GamePacket& packet : table_.WatcherRebuildPackets()) Send(socket, packet);
}

// A client that vanished comes back to its seat, and to the hand in progress.
void GameServer::Reconnect(QTcpSocket* socket, const QByteArray& account) {
    const auto seat = std::find_if(seats_.begin(), seats_.end(), [&](const Seat& s) {
        return s.client && s.player.record.account == account;
    });
    if (account.isEmpty() || seat == seats_.end()) {
        Reject(socket, QStringLiteral("reconnect of %1, who holds no seat").arg(AccountText(account)));
        Send(socket, ReconnectReplyPacket(false, {}));
        return;
    }
    const int index = int(seat - seats_.begin());
    if (seat->socket && seat->socket != socket) connections_.at(seat->socket).seat = kNoSeat;
    seat->socket = socket;
    Connection& connection = connections_.at(socket);
    connection.seat = index;
    emit Event(QStringLiteral("seat %1 account=%2 bit=%3 back").arg(connection.id).arg(AccountText(account)).arg(BitOf(index)));
    Send(socket, ReconnectReplyPacket(true, {}));
    table_.Rejoin(index, Now());
}

void GameServer::Ready(QTcpSocket* socket) {
    const int seat = connections_.at(socket).seat;
    if (seat == kNoSeat) return Reject(socket, Unseated(socket, QStringLiteral("ready")));
    if (table_.HandRunning()) return Reject(socket, QStringLiteral("ready while a hand runs"));
    seats_[seat].player.ready = true;
    SendToClients(PlayerReadyPacket(BitOf(seat), seats_[seat].player.record.account));
    StartHandWhenReady();
}

// A leave in the middle of a hand closes the table for everybody; between
// hands the seat goes back to the computer. A watcher's changes nothing.
void GameServer::Leave(QTcpSocket* socket) {
    Connection& connection = connections_.at(socket);
    const int seat = connection.seat;
    const QByteArray account = seat == kNoSeat ? connection.watcherAccount : seats_[seat].player.record.account;
    emit Event(QStringLiteral("leave %1 account=%2").arg(connection.id).arg(AccountText(account)));
    if (seat == kNoSeat) return;
    connection.seat = kNoSeat;
    if (!table_.HandRunning()) {
        FreeSeat(seat);
        StartHandWhenReady();
        return;
    }
    table_.Abort();
    SendToClients(GameAbortedPacket(uint8_t(0xF & ~BitOf(seat)), kPlayersLeft), seat);
    for (auto& [other, otherConnection] : connections_) otherConnection.seat = kNoSeat;
    for (int k = 0; k < 4; ++k) {
        seats_[k] = {{ComputerRecord(k), true}, nullptr, false};
        table_.SetClientSeat(k, false);
        table_.SetLevelTitle(k, seats_[k].player.record.levelTitle);
    }
}

void GameServer::FreeSeat(int seat) {
    const QByteArray account = seats_[seat].player.record.account;
    seats_[seat] = {{ComputerRecord(seat), true}, nullptr, false};
    table_.SetClientSeat(seat, false);
    table_.SetLevelTitle(seat, seats_[seat].player.record.levelTitle);
    SendToClients(PlayerLeftPacket(account));
    AnnounceNewcomer(seat);
    SendToClients(PlayerReadyPacket(BitOf(seat), seats_[seat].player.record.account));
}

void GameServer::RelayChat(QTcpSocket* socket, const GamePacket& packet) {
    const int seat = connections_.at(socket).seat;
    if (seat == kNoSeat) return Reject(socket, Unseated(socket, QStringLiteral("chat")));
    if (!chatPace_.Admit(seat, Now()))
        return Reject(socket, QStringLiteral("chat within %1 ms of the seat's last line").arg(settings_.chatPauseMs));
    const char* text = reinterpret_cast<const char*>(packet.data() + PacketOffset::Payload);
    const QString line = AnsiCodec::FromAnsi(QByteArray(text, int(strnlen(text, kChatTextBytes))));
    const GameMessage message = DecodeGamePacket(packet.data());
    const GamePacket relayed = ChatLinePacket(BitOf(seat), line, {}, message.Param);
    // Every line goes back to its sender too, which shows it in its own chat
    // log; a private line (param 1 names its target's seat) reaches only the
    // target besides.
    const int target = message.Param[1];
    for (int k = 0; k < 4; ++k)
        if (seats_[k].socket && (target == 0 || k == seat || BitOf(k) == target)) Send(seats_[k].socket, relayed);
}

void GameServer::Move(QTcpSocket* socket, const GamePacket& packet) {
    const int seat = connections_.at(socket).seat;
    if (seat == kNoSeat) return Reject(socket, Unseated(socket, QStringLiteral("move")));
    const QString refusal = table_.Receive(seat, packet, Now());
    if (!refusal.isEmpty()) Reject(socket, refusal);
    SettleEndedHand();
}

void GameServer::StartHandWhenReady() {
    const bool allReady = std::all_of(seats_.begin(), seats_.end(), [](const Seat& s) { return s.player.ready; });
    if (allReady) StartHand();
}

void GameServer::StartHand() {
    const bool anyClient = std::any_of(seats_.begin(), seats_.end(), [](const Seat& s) { return s.client; });
    if (!anyClient || table_.HandRunning()) return;
    startDeadline_.reset();
    // Every seat's ready mark that the clients have not seen yet: the
    // computers' again, and those of clients whose time ran out. A client
    // re-arms the table for the next hand once it sees all three others ready.
    for (int seat = 0; seat < 4; ++seat)
        if (!seats_[seat].client || !seats_[seat].player.ready)
            SendToClients(PlayerReadyPacket(BitOf(seat), seats_[seat].player.record.account));
    for (Seat& seat : seats_) seat.player.ready = !seat.client;
    table_.StartHand(Now());
}

void GameServer::Advance() {
    if (startDeadline_ && Now() >= *startDeadline_) StartHand();
    table_.Advance(Now());
    SettleEndedHand();
}

// The money moves; clients that vanished during the hand give up their seats.
void GameServer::SettleEndedHand() {
    if (!table_.HandEnded() || settledHand_ == table_.HandNumber()) return;
    settledHand_ = table_.HandNumber();
    startDeadline_ = table_.ClientsCaughtUp(Now()) + kStartWithin;
    for (int seat = 0; seat < 4; ++seat) {
        uint64_t& money = seats_[seat].player.record.money;
        const int64_t change = table_.Settlement()[seat].money;
        money = change < 0 && uint64_t(-change) > money ? 0 : money + uint64_t(change);
    }
    for (int seat = 0; seat < 4; ++seat)
        if (seats_[seat].client && !seats_[seat].socket) FreeSeat(seat);
}

void GameServer::Send(QTcpSocket* socket, GamePacket packet) {
    Connection& connection = connections_.at(socket);
    if (connection.dropped) return;
    const std::array<uint8_t, 2> echo = connection.NextEcho();
    std::copy(echo.begin(), echo.end(), packet.begin() + PacketOffset::Echo);
    socket->write(ToByteArray(packet));
    emit Event(QStringLiteral("send %1 ").arg(connection.id) + DescribeSentPacket(packet.data()));
    if (socket->bytesToWrite() > kMaxUnsentBytes) Drop(socket);
}

void GameServer::Drop(QTcpSocket* socket) {
    emit Event(QStringLiteral("drop %1 %2 bytes unsent").arg(connections_.at(socket).id).arg(socket->bytesToWrite()));
    CloseSoon(socket);
}

// The table plays the seat already; its client comes back through its
// reconnect, to the hand rebuilt as it stands then.
void GameServer::CutOff(int seat) {
    if (seats_[seat].socket) CloseSoon(seats_[seat].socket);
}

void GameServer::CloseSoon(QTcpSocket* socket) {
    connections_.at(socket).dropped = true;
    // The close comes from the top of the event loop: a send may be one of
    // many to every seat, in the middle of a move. Aborting discards the unsent
    // bytes, and the socket's disconnected() closes the connection as usual.
    QMetaObject::invokeMethod(socket, &QTcpSocket::abort, Qt::QueuedConnection);
}

void GameServer::SendToClients(const GamePacket& packet, int exceptSeat) {
    SendToPlayers(packet, exceptSeat);
    SendToWatchers(packet);
}

void GameServer::SendToPlayers(const GamePacket& packet, int exceptSeat) {
    for (int seat = 0; seat < 4; ++seat)
        if (seat != exceptSeat && seats_[seat].socket) Send(seats_[seat].socket, packet);
}

// The other players take the seat's new holder as a player arriving: they
// seat it at the seat just left, count it in and ask for its video. A
// watcher's records carry their seat bits.
void GameServer::AnnounceNewcomer(int seat) {
    SendToPlayers(PlayerJoinedPacket(kSeatToBeFound, seats_[seat].player.record), seat);
    SendToWatchers(PlayerJoinedPacket(BitOf(seat), seats_[seat].player.record));
}

void GameServer::SendToWatchers(const GamePacket& packet) {
    for (const auto& [socket, connection] : connections_)
        if (connection.watcher) Send(socket, packet);
}

// A client that vanishes mid-hand leaves its seat to the computer until it
// reconnects or the hand ends; between hands its seat is free at once.
void GameServer::Close(QTcpSocket* socket) {
    const Connection connection = connections_.at(socket);
    emit Event(QStringLiteral("close %1").arg(connection.id));
    socket->disconnect(this);
    connections_.erase(socket);
    socket->deleteLater();
    const int seat = connection.seat;
    if (seat == kNoSeat) return;
    if (!table_.HandRunning()) {
        FreeSeat(seat);
        StartHandWhenReady();
        return;
    }
    seats_[seat].socket = nullptr;
    table_.SetClientSeat(seat, false);
    emit Event(QStringLiteral("computer %1 plays for the vanished client").arg(BitOf(seat)));
}
