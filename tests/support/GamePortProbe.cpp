#include "support/GamePortProbe.h"
#include "wire/GamePacket.h"
#include "wire/LoginPacket.h"
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {
// Between one answer and the next log-in: a player logging in now and then,
// not a flood of log-ins that would itself keep the server busy.
constexpr int kPauseMs = 10;
}  // namespace

class GamePortProbe::Prober : public QObject {
public:
    explicit Prober(quint16 gamePort) : port_(gamePort) {}

    void Next() {
        if (stopped_) return;
        socket_ = new QTcpSocket(this);
        connect(socket_, &QTcpSocket::connected, this, [socket = socket_] {
            socket->write(ToByteArray(BuildLoginPacket(QStringLiteral("probe"), QStringLiteral("secret"))));
        });
        connect(socket_, &QTcpSocket::readyRead, this, &Prober::Read);
        since_.start();
        socket_->connectToHost(QHostAddress::LocalHost, port_);
    }

    std::vector<double> Stop() {
        stopped_ = true;
        if (socket_) answers_.push_back(Milliseconds());
        return answers_;
    }

private:
    void Read() {
        if (socket_->bytesAvailable() < qint64(sizeof(GamePacket))) return;
        answers_.push_back(Milliseconds());
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
        QTimer::singleShot(kPauseMs, this, &Prober::Next);
    }

    double Milliseconds() const { return double(since_.nsecsElapsed()) / 1e6; }

    quint16 port_;
    QPointer<QTcpSocket> socket_;
    QElapsedTimer since_;
    std::vector<double> answers_;
    bool stopped_ = false;
};

GamePortProbe::GamePortProbe(quint16 gamePort) : prober_(new Prober(gamePort)) {
    prober_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, prober_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(prober_, &Prober::Next);
}

GamePortProbe::~GamePortProbe() {
    thread_.quit();
    thread_.wait();
}

std::vector<double> GamePortProbe::Stop() {
    std::vector<double> answers;
    QMetaObject::invokeMethod(prober_, [&] { answers = prober_->Stop(); }, Qt::BlockingQueuedConnection);
    return answers;
}
