#pragma once
#include <QString>
#include <array>
#include <cstdint>

// The video component's peer socket. Placeholder until webcam video exists:
// it keeps what the client sets and answers as an idle component would.
struct P2PSocket {
    QString RelayHost;
    int32_t RelayPort = 0;
    int16_t PeerCount = 0;
    bool Visible = true;
    QString LoggedInAccount;
    void PeerLogin(const QString& account) { LoggedInAccount = account; }
    // Peer slots 1 to 3 (element 0 unused): the account each slot is linked
    // or being linked to, and its state (0 or less free, 10 or more linked).
    std::array<QString, 4> SlotAccount;
    std::array<int16_t, 4> SlotState{};
    QString UserID(int16_t slot) const { return SlotAccount.at(slot); }
    int16_t PeerState(int16_t slot) const { return SlotState.at(slot); }
    void RequestVideo(const QString& account, int16_t slot) { SlotAccount.at(slot) = account; }
    void ClosePeer(int16_t slot) {
        SlotAccount.at(slot).clear();
        SlotState.at(slot) = 0;
    }
    void CloseAll() {}
};
