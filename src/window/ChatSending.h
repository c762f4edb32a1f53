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
// public or to the private target chosen by a portrait click. Typed text with
// nothing to say (empty, blanks alone, the bare private prefix) is not sent and
// stays in the box.
void SendChatLine(Client& c, const std::optional<ChatPhrase>& phrase = std::nullopt);

// The text without the first occurrence of the private prefix, wherever it
// stands; the text as it is when the prefix is not in it.
QString WithoutPrivatePrefix(const QString& text, const QString& prefix);
