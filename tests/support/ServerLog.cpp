#include "support/ServerLog.h"
#include "support/EventLoopWait.h"

bool ServerLog::ReadLines(const QRegularExpression& pattern) {
    while (server_.canReadLine()) {
        lines_ << QString::fromUtf8(server_.readLine()).trimmed();
        if (pattern.match(lines_.back()).hasMatch()) return true;
    }
    return false;
}

bool ServerLog::WaitFor(const QRegularExpression& pattern, int timeoutMs) {
    return WaitUntil([&] { return ReadLines(pattern); }, timeoutMs);
}

bool ServerLog::WaitForCount(const QRegularExpression& pattern, qsizetype count, int timeoutMs) {
    qsizetype matching = Matching(pattern).size();
    return WaitUntil([&] {
        while (matching < count && ReadLines(pattern)) ++matching;
        return matching >= count;
    }, timeoutMs);
}

quint16 ServerLog::WaitForListening(const QRegularExpression& listening, int timeoutMs) {
    if (!WaitFor(listening, timeoutMs)) return 0;
    return quint16(listening.match(lines_.back()).captured(1).toUInt());
}

quint16 ServerLog::WaitForPort(int timeoutMs) {
    static const QRegularExpression listening(QStringLiteral("^listening on (\\d+)$"));
    return WaitForListening(listening, timeoutMs);
}

quint16 ServerLog::WaitForRelayPort(int timeoutMs) {
    static const QRegularExpression listening(QStringLiteral("^relay listening on (\\d+)$"));
    return WaitForListening(listening, timeoutMs);
}

std::map<int, int> ServerLog::ClientSeats() const {
    static const QRegularExpression seat(QStringLiteral("^seat (\\d+) account=.* bit=(\\d+)( back)?$"));
    std::map<int, int> seats;
    for (const QString& line : lines_)
        if (const QRegularExpressionMatch match = seat.match(line); match.hasMatch())
            seats[match.captured(1).toInt()] = match.captured(2).toInt();
    return seats;
}

qsizetype ServerLog::MovesSent(int connectionId) const {
    return Matching(QRegularExpression(QStringLiteral("^recv %1 type=(2|7) ").arg(connectionId))).size();
}

qsizetype ServerLog::MovesTaken(int seatBit) const {
    return Matching(QRegularExpression(QStringLiteral("^move %1 ").arg(seatBit))).size();
}
