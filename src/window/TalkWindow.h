#pragma once
#include <QListWidget>
#include <QWidget>

// The chat-log window; created on first use and hidden rather than closed.
class TalkWindow : public QWidget {
    Q_OBJECT
public:
    TalkWindow();
    QListWidget* Text1;
};
