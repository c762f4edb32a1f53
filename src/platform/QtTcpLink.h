#pragma once
#include "platform/TcpLink.h"
#include <QTcpSocket>

// TcpLink over QTcpSocket.
class QtTcpLink : public TcpLink {
    Q_OBJECT
public:
    QtTcpLink();
    int State() const override;
    void Connect() override;
    void SendData(const QByteArray& bytes) override;
    QByteArray GetData(qint64 maxBytes) override;
    qint64 BytesWaiting() const override;
    void Close() override;

private:
    QTcpSocket socket_;
    // What the socket held unread when it was closed.
    QByteArray unread_;
    bool failed_ = false;
};
