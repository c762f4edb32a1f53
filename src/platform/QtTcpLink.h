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
    QByteArray GetData() override;
    void Close() override;

private:
    QTcpSocket socket_;
    bool failed_ = false;
};
