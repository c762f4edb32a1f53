#pragma once
#include <QString>
class Client;

// Adds one line at the bottom of the two-line ticker, moving the lower line up.
void AddSystemMessage(Client& c, const QString& text);
// Empties both ticker lines and writes them anew (an empty text leaves a line empty).
void SetTickerLines(Client& c, const QString& upper, const QString& lower = QString());
