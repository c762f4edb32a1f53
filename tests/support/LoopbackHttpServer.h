#pragma once
#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QUrl>

// A web server on 127.0.0.1 for tests. Each request's path is answered with
// the raw response given for it, and the connection is then closed; an empty
// response closes it without an answer, and an unknown path gets 404.
class LoopbackHttpServer {
public:
    LoopbackHttpServer();

    void Serve(const QByteArray& path, const QByteArray& response) { responses_[path] = response; }
    QUrl Url(const QByteArray& path) const;
    // The paths asked for so far, in order.
    const QList<QByteArray>& Requests() const { return requests_; }

    static QByteArray Ok(const QByteArray& contentType, const QByteArray& body);
    static QByteArray Status(int code, const QByteArray& reason);
    static QByteArray Redirect(const QByteArray& location);

private:
    void Answer(QTcpSocket& socket);

    QTcpServer server_;
    QHash<QByteArray, QByteArray> responses_;
    QList<QByteArray> requests_;
};
