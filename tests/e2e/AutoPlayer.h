#pragma once
#include "support/TableProcess.h"
#include <QTemporaryDir>

// One auto-play client in its own runtime folder (its instance lock and the
// lobby window it reports to) and its own program folder. Each lobby has a
// caption of its own, so a client that looked for the default lobby would
// find none and end.
struct AutoPlayer {
    // Plays as "robot<number>" unless it is given an account; a display, when
    // given, shows its table window instead of the offscreen platform.
    AutoPlayer(int number, quint16 port, const QString& account = {}, const QString& display = {})
        : lobby(runtime.path(), LobbyCaption(number)), table(QStringLiteral(DRAVIK_TABLE_BINARY), runtime.path()) {
        if (!display.isEmpty()) table.UseDisplay(display);
        table.Start({AutoPlayCommandLine(port, account.isEmpty() ? QStringLiteral("robot%1").arg(number) : account,
                                         LobbyCaption(number), WindowCaption(number))});
    }
    // The client's own window caption.
    static QString WindowCaption(int number) { return QStringLiteral("托管牌桌%1").arg(number); }
    static QString LobbyCaption(int number) { return QStringLiteral("托管大厅%1").arg(number); }
    QTemporaryDir runtime;
    LobbyRecorder lobby;
    TableProcess table;
};
