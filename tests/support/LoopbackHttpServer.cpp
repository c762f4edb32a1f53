#include "support/LoopbackHttpServer.h"
#include <QTcpSocket>
#include <stdexcept>

LoopbackHttpServer::LoopbackHttpServer() {
    if (!server_.listen(QHostAddress::LocalHost)) throw std::runtime_error("the loopback web server cannot listen");
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(*socket); });
        }
    });
}

QUrl LoopbackHttpServer::Url(const QByteArray& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QString::fromLatin1(path)));
}

// Answers once the request's head is complete; its body, if any, is not read.
void LoopbackHttpServer::Answer(QTcpSocket& socket) {
    if (!socket.peek(64 * 1024).contains("\r\n\r\n")) return;
    const QByteArray requestLine = socket.readLine();
    socket.readAll();
    const QByteArray path = requestLine.split(' ').value(1);
    requests_ << path;
    socket.write(responses_.value(path, Status(404, "Not Found")));
    socket.disconnectFromHost();
}

QByteArray LoopbackHttpServer::Ok(const QByteArray& contentType, const QByteArray& body) {
    QByteArray response = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
    if (!contentType.isEmpty()) response += "Content-Type: " + contentType + "\r\n";
    return response + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray LoopbackHttpServer::Status(int code, const QByteArray& reason) {
    const QByteArray body = reason + "\n";
    return "HTTP/1.1 " + QByteArray::number(code) + " " + reason +
           "\r\nConnection: close\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\n\r\n" + body;
}

QByteArray LoopbackHttpServer::Redirect(const QByteArray& location) {
    return "HTTP/1.1 302 Found\r\nConnection: close\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n";
}
