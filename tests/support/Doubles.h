#pragma once
#include "platform/CameraDevice.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EndProgram.h"
#include "platform/LobbyLink.h"
#include "platform/P2PSocket.h"
#include "platform/Shell.h"
#include "platform/SoundDevice.h"
#include "platform/TcpLink.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <functional>
#include <vector>

// The socket of an in-process test: what the client sends is kept, what the
// test delivers raises the data event at once.
class FakeTcpLink : public TcpLink {
    Q_OBJECT
public:
    int state = StateClosed;
    // State the next Connect() reaches.
    int stateAfterConnect = StateConnected;
    int connectCalls = 0;
    std::vector<QByteArray> sent;

    int State() const override { return state; }
    void Connect() override;
    void SendData(const QByteArray& bytes) override;
    QByteArray GetData(qint64 maxBytes) override;
    qint64 BytesWaiting() const override { return pending_.size(); }
    void Close() override { state = StateClosed; }

    // A connection left connecting (stateAfterConnect) comes up now.
    void FinishConnecting();
    // Delivers bytes from the server and raises the data event.
    void Deliver(const QByteArray& bytes);
    // All bytes sent so far, as one stream.
    QByteArray SentStream() const;

private:
    QByteArray pending_;
};

// Time that moves only when the client sleeps or pumps events.
class VirtualClock : public Clock {
public:
    double now = 1000.0;
    // The wall clock stands still unless a test moves it.
    QDateTime localTime{QDate(2008, 1, 7), QTime(9, 5, 3)};
    double sleptSeconds = 0;
    int pumps = 0;
    // Runs at each pump, before the events are handled (a test's "meanwhile").
    std::function<void()> onPump;

    double Now() override { return now; }
    QDateTime LocalTime() override { return localTime; }
    void Sleep(double seconds) override;
    // Handles the waiting events and moves time on by a moment, whatever the deadline.
    void Pump(double until) override;
};

struct ShownDialog {
    QString text;
    Dialogs::Buttons buttons;
    QString title;
};

class ScriptedDialogs : public Dialogs {
public:
    std::vector<ShownDialog> shown;
    std::deque<Answer> answers;  // answers given in order; OK when none is left
    Answer MsgBox(const QString& text, Buttons buttons, const QString& title) override;
};

struct PlayedSound {
    QString path;
    bool looped;
};

struct StartedProgram {
    QString program;
    QStringList arguments;
};

// Keeps every address and folder the client asks the desktop to open and
// every program it starts.
class RecordingShell : public Shell {
public:
    std::vector<QString> opened;
    std::vector<StartedProgram> started;
    void Open(const QString& target) override { opened.push_back(target); }
    bool StartProgram(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return true;
    }
};

// The video component's peer socket of an in-process test: keeps what the
// client asks and sends; the test sets the slots' states and raises the events.
class FakeP2PSocket : public P2PSocket {
public:
    struct SentData {
        int16_t slot;
        QString kind;  // "format", "mode" or "frame"
        QByteArray data;
        bool operator==(const SentData&) const = default;
    };
    // Everything the socket holds and has recorded, so that a snapshot can keep it.
    struct Record {
        QString loggedInAccount;
        std::array<QString, 4> slotAccount;
        std::array<int16_t, 4> slotState{};
        std::vector<SentData> sent;
        int closeAllCalls = 0;
    } record;

    void PeerLogin(const QString& account) override { record.loggedInAccount = account; }
    QString UserID(int16_t slot) const override { return InRange(slot) ? record.slotAccount[slot] : QString(); }
    int16_t PeerState(int16_t slot) const override { return InRange(slot) ? record.slotState[slot] : 0; }
    void RequestVideo(int16_t slot, const QString& account) override {
        if (!InRange(slot)) return;
        record.slotAccount[slot] = account;
        record.slotState[slot] = PeerLink::Asked;
    }
    void ClosePeer(int16_t slot) override {
        if (!InRange(slot)) return;
        record.slotAccount[slot].clear();
        record.slotState[slot] = PeerLink::Free;
    }
    void CloseAll() override {
        ++record.closeAllCalls;
        for (int16_t slot = 1; slot <= 3; ++slot) ClosePeer(slot);
    }
    void SendFormat(int16_t slot, const QByteArray& format) override { record.sent.push_back({slot, "format", format}); }
    void SendCaptureMode(int16_t slot, int16_t mode) override {
        record.sent.push_back({slot, "mode", QByteArray::number(mode)});
    }
    void SendToPeer(int16_t slot, const QByteArray& frame) override { record.sent.push_back({slot, "frame", frame}); }

    // The test's side: a slot linked to an account at a state, with or without the event.
    void Link(int16_t slot, const QString& account, int16_t state) {
        record.slotAccount.at(slot) = account;
        record.slotState.at(slot) = state;
    }
    void ReportState(int16_t slot, int16_t state) {
        record.slotState.at(slot) = state;
        if (OnStateChange) OnStateChange(slot, state);
    }
    void Arrive(int16_t slot, const QByteArray& frame) {
        if (OnDataArrival) OnDataArrival(slot, frame);
    }
    void AnswerLogin(int16_t code) {
        if (OnLoginResult) OnLoginResult(code);
    }

private:
    static bool InRange(int16_t slot) { return slot >= 1 && slot <= 3; }
};

// The own camera of an in-process test: starts when told to, and delivers the
// frames the test gives it.
class FakeCamera : public CameraDevice {
public:
    bool startSucceeds = false;
    int starts = 0, stops = 0;
    QString account;
    bool Start() override {
        ++starts;
        return startSucceeds;
    }
    void Stop() override { ++stops; }
    QByteArray Format() const override { return "test-format"; }
    void SetAccount(const QString& a) override { account = a; }
    void Deliver(const QByteArray& frame) {
        if (OnFrame) OnFrame(frame);
    }
};

class RecordingSound : public SoundDevice {
public:
    bool startSucceeds = true;
    std::vector<PlayedSound> played;
    int stops = 0;
    int volume = -1;
    bool Start() override { return startSucceeds; }
    void Play(const QString& path, bool looped) override { played.push_back({path, looped}); }
    void Stop() override { ++stops; }
    void SetVolume(int v) override { volume = v; }
};

struct LobbyFrame {
    QString caption;
    uint32_t msg;
    uint32_t wParam;
    uint32_t lParam;
    bool sent;  // sent rather than posted
};

// The lobby and any other window, as the client sees them through the link.
class FakeLobbyLink : public LobbyLink {
    Q_OBJECT
public:
    QStringList existingWindows{QStringLiteral("Jokro山庄")};
    std::vector<LobbyFrame> frames;
    QString listeningAs;

    bool FindWindow(const QString& caption) override { return existingWindows.contains(caption); }
    bool SendMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) override;
    bool PostMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) override;
    bool Listen(const QString& caption) override;
    void StopListening() override { listeningAs.clear(); }

    // Delivers a message to the client's window.
    void Deliver(uint32_t msg, uint32_t wParam = 0, uint32_t lParam = 0) { emit MessageReceived(msg, wParam, lParam); }
    // The message numbers delivered to a caption, in order (posted and sent alike).
    std::vector<uint32_t> MessagesTo(const QString& caption) const;
};

// Thrown where the program would end, so that a test sees the end.
struct ProgramEnded {
    QString reason;
};

class ThrowingEnd : public EndProgram {
public:
    [[noreturn]] void End(const QString& reason) override { throw ProgramEnded{reason}; }
};
