#include "platform/RelayPeerSocket.h"

// Least socket until the relay exists: never logged in, every slot free.
void RelayPeerSocket::PeerLogin(const QString&) {}
QString RelayPeerSocket::UserID(int16_t) const { return {}; }
int16_t RelayPeerSocket::PeerState(int16_t) const { return PeerLink::Free; }
void RelayPeerSocket::RequestVideo(int16_t, const QString&) {}
void RelayPeerSocket::ClosePeer(int16_t) {}
void RelayPeerSocket::CloseAll() {}
void RelayPeerSocket::SendFormat(int16_t, const QByteArray&) {}
void RelayPeerSocket::SendCaptureMode(int16_t, int16_t) {}
void RelayPeerSocket::SendToPeer(int16_t, const QByteArray&) {}
