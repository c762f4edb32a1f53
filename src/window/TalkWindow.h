#pragma once
#include <QListWidget>
#include <QWidget>
class Client;

// The chat-log window; created on first use and hidden rather than closed.
class TalkWindow : public QWidget {
    Q_OBJECT
public:
    TalkWindow();
    QListWidget* Text1;
};

// The chat label's click: shows the chat log, or hides it when it shows.
void MainForm_Lbchat_Click(Client& c);
