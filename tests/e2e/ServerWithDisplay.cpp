#include "ServerWithDisplay.h"
#include "support/PortraitOnScreen.h"
#include "table/ResourceIds.h"
#include <QStandardPaths>

void ServerWithDisplay::Start(const QStringList& tools, const QStringList& options) {
    for (const QString& name : QStringList{QStringLiteral("Xvfb")} + tools) {
        const QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty()) GTEST_SKIP() << "needs " << name.toStdString() << " (scripts/install-deps.sh)";
        tools_[name] = path;
    }
    ASSERT_TRUE(display.Start(Tool(QStringLiteral("Xvfb"))));
    server.start(DRAVIK_SERVER_BINARY, QStringList{"--port", "0"} + options);
    ASSERT_TRUE(server.waitForStarted(10000));
    port = log.WaitForPort(10000);
    ASSERT_NE(port, 0);
    InitResourceIds(*pictures_);
}

void ServerWithDisplay::TearDown() {
    server.kill();
    server.waitForFinished(5000);
}

int ServerWithDisplay::PortraitAt(int seat) {
    return PortraitShownAt(display.Screenshot(Tool(QStringLiteral("import"))), seat, pictures_->resourceIds);
}
