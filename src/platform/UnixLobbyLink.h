#pragma once
#include "platform/LobbyLink.h"
#include <QLocalServer>
#include <QString>
#include <deque>

class QLocalSocket;

// LobbyLink over Unix-domain sockets in the runtime folder: the endpoint of a
// caption is "w-" and the first 32 hex digits of the SHA-256 of its UTF-8
// bytes; a frame is "WMSG" and msg, wParam and lParam as big-endian 32-bit numbers.
class UnixLobbyLink : public LobbyLink {
    Q_OBJECT
public:
    explicit UnixLobbyLink(QString runtimeDir);

    static QString EndpointPath(const QString& runtimeDir, const QString& caption);

    bool FindWindow(const QString& caption) override;
    bool SendMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) override;
    bool PostMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) override;
    bool Listen(const QString& caption) override;
    void StopListening() override;

private:
    void AcceptConnections();
    void ReadFrames(QLocalSocket* connection);
    void DeliverPending();

    struct Frame {
        uint32_t msg, wParam, lParam;
    };

    QString runtimeDir_;
    QLocalServer server_;
    std::deque<Frame> pending_;
};
