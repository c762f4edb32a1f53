#include "support/Doubles.h"
#include <QCoreApplication>

void FakeTcpLink::Connect() {
    ++connectCalls;
    pending_.clear();
    state = stateAfterConnect;
    if (state == StateConnected) emit Connected();
}

void FakeTcpLink::FinishConnecting() {
    state = StateConnected;
    emit Connected();
}

void FakeTcpLink::SendData(const QByteArray& bytes) {
    if (state == StateConnected) sent.push_back(bytes);
}

QByteArray FakeTcpLink::GetData(qint64 maxBytes) {
    const QByteArray bytes = pending_.left(maxBytes);
    pending_.remove(0, bytes.size());
    return bytes;
}

void FakeTcpLink::Deliver(const QByteArray& bytes) {
    pending_ += bytes;
    emit DataArrival(pending_.size());
}

QByteArray FakeTcpLink::SentStream() const {
    QByteArray stream;
    for (const auto& bytes : sent) stream += bytes;
    return stream;
}

void VirtualClock::Sleep(double seconds) {
    sleptSeconds += seconds;
    now += seconds;
}

void VirtualClock::Pump(double) {
    ++pumps;
    if (onPump) onPump();
    QCoreApplication::processEvents();
    now += 0.01;
}

Dialogs::Answer ScriptedDialogs::MsgBox(const QString& text, Buttons buttons, const QString& title) {
    shown.push_back({text, buttons, title});
    if (answers.empty()) return Ok;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeLobbyLink::SendMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) {
    if (!FindWindow(caption)) return false;
    frames.push_back({caption, msg, wParam, lParam, true});
    return true;
}

bool FakeLobbyLink::PostMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) {
    if (!FindWindow(caption)) return false;
    frames.push_back({caption, msg, wParam, lParam, false});
    return true;
}

bool FakeLobbyLink::Listen(const QString& caption) {
    listeningAs = caption;
    return true;
}

std::vector<uint32_t> FakeLobbyLink::MessagesTo(const QString& caption) const {
    std::vector<uint32_t> numbers;
    for (const auto& frame : frames)
        if (frame.caption == caption) numbers.push_back(frame.msg);
    return numbers;
}
