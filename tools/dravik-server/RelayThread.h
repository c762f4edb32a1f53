#pragma once
#include <QString>
#include <QThread>

class VideoRelay;

// The video relay on a thread of its own, so that however many relay clients
// log in and link at once, the game server's event loop never waits for
// them. The relay, its listening socket and every connection live and end on
// that thread; nothing of the game's state is shared with it.
class RelayThread {
public:
    RelayThread();
    // Closes every relay connection on the relay's thread, then ends the thread and waits for it.
    ~RelayThread();
    RelayThread(const RelayThread&) = delete;
    RelayThread& operator=(const RelayThread&) = delete;

    // Only for connecting to its Event signal, which is emitted on the relay's
    // thread: a receiver without a context object runs there too.
    const VideoRelay& Relay() const { return *relay_; }
    // Listens on the relay's thread and returns once it does or cannot.
    bool Listen(quint16 port);
    quint16 Port() const { return port_; }
    QString ErrorText() const { return errorText_; }

private:
    QThread thread_;
    VideoRelay* relay_;
    quint16 port_ = 0;
    QString errorText_;
};
