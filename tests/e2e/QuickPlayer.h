#pragma once
#include <QByteArray>
#include <QTcpSocket>
#include <QTimer>
#include <cstdint>

struct GameMessage;

// A seated player on a raw socket that plays its seat at once: it passes
// every claim, discards the tile it drew and is ready for the next hand as
// soon as one ends. It can flood the chat far faster than a client lets its
// user.
class QuickPlayer {
public:
    QuickPlayer(quint16 port, const QString& account);
    // Sends `lines` chat lines, one every `intervalMs`.
    void Flood(int lines, int intervalMs);
    int LinesSent() const { return sent_; }
    bool FloodDone() const { return sent_ >= lines_; }
    bool Open() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    // The player is ready for the first hand.
    void SayReady();

private:
    void Read();
    void Answer(const GameMessage& message);
    void Send(const GameMessage& message);
    void SendLine();

    QString account_;
    QTcpSocket socket_;
    QByteArray pending_;
    QTimer flood_;
    uint8_t seatBit_ = 0;
    // The tile drawn last and not discarded yet.
    int16_t drawn_ = 0;
    int lines_ = 0;
    int sent_ = 0;
};
