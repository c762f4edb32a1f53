#pragma once
#include "support/ServerLog.h"
#include "support/TestClient.h"
#include "support/XDisplay.h"
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>

// The real server and an X display of the table's design size, for tests
// that look at a client's window. A test is skipped where the machine lacks
// Xvfb or one of the X tools it names.
class ServerWithDisplay : public ::testing::Test {
protected:
    // Finds Xvfb and the tools, starts the display and then the server with
    // `options` on a free port.
    void Start(const QStringList& tools, const QStringList& options);
    void TearDown() override;
    QString Tool(const QString& name) const { return tools_.at(name); }
    // Which of the portraits the display shows at a local seat of the table.
    int PortraitAt(int seat);

    XDisplay display;
    QProcess server;
    ServerLog log{server};
    quint16 port = 0;

private:
    std::map<QString, QString> tools_;
    // A client on doubles, whose only use is its table of picture ids.
    TestClient pictures_;
};
