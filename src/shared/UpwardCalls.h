#pragma once
#include <QString>
#include <functional>

class Client;

// Work of the floors above that the wire must start: the ticker's lines and
// the chat line just read. The program and the tests fill them in before the
// start-up (AssembleClient), so the wire never names a window.
struct UpwardCalls {
    std::function<void(Client&, const QString& upper, const QString& lower)> setTickerLines;
    // Clears the ticker's upper line, then adds the text as a new system message.
    std::function<void(Client&, const QString& text)> restartTicker;
    std::function<void(Client&)> showReceivedChat;
};
