#pragma once
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

// A plain TCP relay on loopback between the client and the server that the
// test can cut, as a network that fails would: both sides see their
// connection closed. Later connections are relayed again.
class CuttableRelay : public QObject {
public:
    explicit CuttableRelay(quint16 serverPort);
    quint16 Port() const { return listener_.serverPort(); }
    // Closes every relayed connection at once; returns how many there were.
    int Cut();
    int Connections() const { return int(pairs_.size()); }

private:
    struct Pair {
        QTcpSocket* client;
        QTcpSocket* server;
    };
    void Accept();

    quint16 serverPort_;
    QTcpServer listener_;
    std::vector<Pair> pairs_;
};
