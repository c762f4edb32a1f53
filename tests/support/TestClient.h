#pragma once
#include "shared/Client.h"
#include "support/Doubles.h"
#include "support/RecordingPageLoader.h"
#include <QTemporaryDir>
#include <memory>

// A client on doubles, for in-process tests: virtual time, a fake socket,
// a fake lobby, scripted dialogs, recorded sound, ends that throw, and a
// temporary program folder.
struct TestClient {
    explicit TestClient(const QString& commandLine = DefaultCommandLine(), QSize screen = {1024, 768});

    static QString DefaultCommandLine();

    QTemporaryDir programDir;
    FakeTcpLink* socket;
    FakeLobbyLink* lobby;
    VirtualClock* clock;
    ScriptedDialogs* dialogs;
    RecordingSound* sound;
    RecordingShell* shell;
    RecordingPageLoader* pages;
    FakeP2PSocket* peers;
    FakeCamera* camera;
    std::unique_ptr<Client> client;

    Client& operator*() { return *client; }
    Client* operator->() { return client.get(); }

    // Runs the start-up; returns the end's reason when the start-up ended the program.
    std::optional<QString> Load();
    // Runs scheduler ticks (virtual time advances 50 ms per tick).
    void Tick(int count = 1);
    // Delivers packets from the server.
    void Deliver(const QByteArray& bytes) { socket->Deliver(bytes); }
    // Delivers one message from the server as its packet.
    void Deliver(const GameMessage& message, const QByteArray& payload = {});
    // Packets the client has sent so far, each 272 bytes (or shorter raw sends as they are).
    const std::vector<QByteArray>& Sent() const { return socket->sent; }
};
