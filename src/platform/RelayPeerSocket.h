#pragma once
#include "platform/P2PSocket.h"

// The peer socket over the relay of the game server's host.
class RelayPeerSocket : public P2PSocket {
public:
    void PeerLogin(const QString& account) override;
    QString UserID(int16_t slot) const override;
    int16_t PeerState(int16_t slot) const override;
    void RequestVideo(int16_t slot, const QString& account) override;
    void ClosePeer(int16_t slot) override;
    void CloseAll() override;
    void SendFormat(int16_t slot, const QByteArray& format) override;
    void SendCaptureMode(int16_t slot, int16_t mode) override;
    void SendToPeer(int16_t slot, const QByteArray& frame) override;
};
