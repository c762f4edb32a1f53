#pragma once
#include <QString>

// Removes every occurrence of each word on the client's fixed list of
// offensive words from a received chat line; exact, case-sensitive matches.
QString FilterChatText(const QString& text);
