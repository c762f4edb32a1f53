#pragma once
#include <QString>
#include <functional>

class Client;

// Work of the floors above that lower floors must start: the ticker's lines
// and the chat line just read, which the wire starts, and the leave paths and
// the table-closed notice of the program's run, which the server's messages
// and the window start. The program and the tests fill them in before the
// start-up (AssembleClient), so no floor names one above it.
struct UpwardCalls {
    std::function<void(Client&, const QString& upper, const QString& lower)> setTickerLines;
    // Clears the ticker's upper line, then adds the text as a new system message.
    std::function<void(Client&, const QString& text)> restartTicker;
    std::function<void(Client&)> showReceivedChat;
    std::function<void(Client&)> sendLeaveTable;
    std::function<void(Client&)> clearTableAfterLeaving;
    // Gives the lobby its window back; ends the client with the reason when the lobby is gone.
    std::function<void(Client&, const QString& reasonWhenLobbyGone)> handBackToLobby;
    std::function<void(Client&, const QString& text)> showTableClosedNotice;
};
