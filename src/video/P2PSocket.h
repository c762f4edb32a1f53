#pragma once
#include <QString>

// The video component's peer socket. Placeholder until webcam video exists:
// it keeps what the client sets and answers as an idle component would.
struct P2PSocket {
    QString RelayHost;
    int32_t RelayPort = 0;
    int16_t PeerCount = 0;
    bool Visible = true;
    QString LoggedInAccount;
    void PeerLogin(const QString& account) { LoggedInAccount = account; }
    void CloseAll() {}
};
