#pragma once
#include <QString>
#include <optional>
class Client;

// A quick phrase to send instead of the typed text; a voice phrase has its
// number (1-based), a text phrase 0.
struct ChatPhrase {
    QString text;
    int voiceNumber = 0;
};

// Words and queues one chat line: the text typed in Chat, or the phrase,
// public or to the private target chosen by a portrait click.
void SendChatLine(Client& c, const std::optional<ChatPhrase>& phrase = std::nullopt);
