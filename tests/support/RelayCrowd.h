#pragma once
#include "platform/RelayProtocol.h"
#include <QTcpSocket>
#include <memory>
#include <vector>

// Many video relay clients at once, as a storm of players would come: client
// i logs in as "crowd<i>" and asks on four slots for its two neighbours on
// either side (in a ring of at least five), which link, and on the other four
// for players who never come to the relay, as a table's computer players
// never do, which wait. The clients come from the loopback addresses
// 127.0.0.2, 127.0.0.3, ..., a few dozen to each, so that no address passes
// the relay's cap.
class RelayCrowd {
public:
    static constexpr int ClientsPerAddress = 50;

    RelayCrowd(quint16 relayPort, int size);
    ~RelayCrowd();

    // Connects every client, a batch at a time, since the relay's queue of
    // connections not yet accepted is short; false when they are not all up in time.
    bool Connect(int timeoutMs);
    // Writes every client's log-in and its eight links, and hands them all to
    // the system at once.
    void LogInAndLink();
    // Waits until every client has heard that its neighbours' slots are linked.
    bool WaitAllLinked(int timeoutMs);
    // The links the relay forms for the whole crowd.
    int LinksExpected() const { return int(clients_.size()) * kNeighbours / 2; }

private:
    static constexpr int kNeighbours = RelayLimits::MaxSlot / 2;
    struct Member {
        QTcpSocket socket;
        RelayReader reader;
        int linkedSlots = 0;
    };
    // Reads what has come; true when the member has its neighbours' slots linked.
    static bool Linked(Member& member);

    quint16 port_;
    std::vector<std::unique_ptr<Member>> clients_;
};

// Lets this process (and the programs it starts) open at least `needed`
// files, as far as the hard limit allows; false when it does not.
bool RaiseOpenFileLimit(int needed);
