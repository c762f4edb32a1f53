#include "dravik-server/RelayThread.h"
#include "dravik-server/VideoRelay.h"

RelayThread::RelayThread() : relay_(new VideoRelay) {
    thread_.setObjectName(QStringLiteral("video relay"));
    relay_->moveToThread(&thread_);
    // Deleted by the relay's thread as its last act, with its sockets.
    QObject::connect(&thread_, &QThread::finished, relay_, &QObject::deleteLater);
    thread_.start();
}

RelayThread::~RelayThread() {
    thread_.quit();
    thread_.wait();
}

bool RelayThread::Listen(quint16 port) {
    bool listening = false;
    QMetaObject::invokeMethod(
        relay_,
        [&] {
            listening = relay_->Listen(port);
            port_ = relay_->Port();
            errorText_ = relay_->ErrorText();
        },
        Qt::BlockingQueuedConnection);
    return listening;
}
