#pragma once
#include <QLabel>
#include <QListWidget>
#include <QWidget>
class Client;

// The quick-phrase window huifu: the text phrases (List1) and the voice
// phrases (List2) of the phrase file. Created on first use.
class PhraseWindow : public QWidget {
    Q_OBJECT
public:
    explicit PhraseWindow(Client& c);
    QListWidget* List1;
    QListWidget* List2;
    QLabel* Label1;
};
