#include "StdinLineReader.h"
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

StdinLineReader::StdinLineReader() {
    // A closed standard input gives nothing to watch.
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1) return;
    notifier_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &StdinLineReader::ReadAvailable);
}

void StdinLineReader::ReadAvailable() {
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count > 0) {
        pending_.append(buffer, count);
        EmitCompleteLines();
        return;
    }
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) return;
    // End of input: the last line may lack its line break.
    notifier_->setEnabled(false);
    if (!pending_.isEmpty()) emit LineRead(QString::fromUtf8(std::exchange(pending_, {})).trimmed());
}

void StdinLineReader::EmitCompleteLines() {
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        emit LineRead(QString::fromUtf8(line).trimmed());
    }
}
