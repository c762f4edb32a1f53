#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// A message the lobby sends to the client's window, named for the person
// who typed it.
struct LobbyCommand {
    QString name;
    uint32_t msg = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

// The command of one typed line; none when the line is not a known command
// or its numbers do not parse.
std::optional<LobbyCommand> ParseLobbyCommand(const QString& line);

inline const QString kLobbyCommandUsage = QStringLiteral(
    "commands: query, leave, force-leave, relogin, close, minimize, restore, send <msg> [wParam] [lParam]");
