#pragma once
#include <QThread>
#include <vector>

// Logs in to a game server's port again and again, a new connection each
// time, and times each log-in from the connect to the whole first reply. It
// runs on a thread of its own, so that what it measures is the server's
// answer, not how busy the caller's own event loop is (a crowd of relay
// clients, say).
class GamePortProbe {
public:
    explicit GamePortProbe(quint16 gamePort);
    ~GamePortProbe();
    GamePortProbe(const GamePortProbe&) = delete;
    GamePortProbe& operator=(const GamePortProbe&) = delete;

    // Ends the probing and gives the milliseconds of every log-in; one still
    // unanswered counts with what it has waited so far.
    std::vector<double> Stop();

private:
    class Prober;
    QThread thread_;
    Prober* prober_;
};
