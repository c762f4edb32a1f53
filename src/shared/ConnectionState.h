#pragma once
#include "shared/TransportState.h"
#include <QString>
#include <array>
#include <cstdint>

struct HostAddress {
    QString HostName;
    uint16_t Port = 0;
};

struct ProxyCredentials {
    QString User;
    QString Password;
    uint8_t UserLen = 0;
    uint8_t PasswordLen = 0;
};

// What the command line gave, the log-in packet and the link's log-in state.
struct ConnectionState {
    QString UserName;
    QString LocationText;
    HostAddress ServerAddr;
    int16_t ProxyType = 0;
    HostAddress ProxyAddr;
    ProxyCredentials ProxyAuth;
    bool AutoPlayRequested = false;
    QString LobbyCaption;
    QString WindowCaption;

    std::array<uint8_t, kPacketSize> LoginPacket{};
    bool LoggedIn = false;
    bool LoginPending = false;
    bool Reconnected = false;
};
