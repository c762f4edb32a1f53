#pragma once
#include "results/BoardWindow.h"
#include <QLabel>
#include <QListWidget>
class Client;

// The quick-phrase window huifu: the text phrases (List1) and the voice
// phrases (List2) of the phrase file "\chat.ini", read once when the window is
// created. A double-click sends a phrase. Created on first use, translucent,
// and hidden rather than closed.
class PhraseWindow : public BoardWindow {
public:
    explicit PhraseWindow(Client& c);
    QListWidget* List1;
    QListWidget* List2;
    // The strip along the top edge: a click hides the window.
    QLabel* Label1;
};

// Sends the current text phrase, or the current voice phrase and plays it.
void huifu_List1_DblClick(Client& c);
void huifu_List2_DblClick(Client& c);
// The phrase buttons: show the phrase window with the text or voice list, switch
// the list, or hide the window.
void MainForm_imgword1_Click(Client& c);
void MainForm_imgword2_Click(Client& c);
