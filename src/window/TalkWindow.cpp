#include "window/TalkWindow.h"
#include <QVBoxLayout>

TalkWindow::TalkWindow() : Text1(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("聊天记录"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);
    resize(360, 420);
}

// Placeholder until the chat log's toggle is built.
void MainForm_Lbchat_Click(Client&) {}
