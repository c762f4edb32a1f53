#pragma once
#include "AutoPlayer.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <memory>
#include <string>
#include <vector>

// The real server and the auto-play clients at its table; the server is
// stopped when it goes.
struct AutoPlayTable {
    ~AutoPlayTable() {
        server.kill();
        server.waitForFinished(5000);
    }

    // The server's log so far and what every client wrote to its stderr.
    std::string Everything() const {
        QString text = log.Lines().join('\n');
        for (const auto& player : players) text += QStringLiteral("\n--- client stderr:\n") + player->table.Stderr();
        return text.toStdString();
    }

    QProcess server;
    ServerLog log{server};
    std::vector<std::unique_ptr<AutoPlayer>> players;
};
