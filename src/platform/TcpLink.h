#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

// The table's one TCP client socket, with the states and calls of the
// socket control the client was designed around.
class TcpLink : public QObject {
    Q_OBJECT
public:
    enum SocketState { StateClosed = 0, StateConnecting = 6, StateConnected = 7, StateClosing = 8, StateError = 9 };

    QString RemoteHost;
    quint16 RemotePort = 0;

    virtual int State() const = 0;
    virtual void Connect() = 0;
    virtual void SendData(const QByteArray& bytes) = 0;
    // Takes at most maxBytes of the received bytes; the rest stay waiting.
    virtual QByteArray GetData(qint64 maxBytes) = 0;
    // Received bytes not taken yet.
    virtual qint64 BytesWaiting() const = 0;
    // Ends the connection. Bytes that arrived before and were not taken stay
    // waiting until the next Connect: a peer's last words are not lost with
    // its close.
    virtual void Close() = 0;

signals:
    void Connected();
    void DataArrival(qint64 bytesWaiting);
    void PeerClosed();
};
