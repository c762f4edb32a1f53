#pragma once
#include "results/BoardWindow.h"
#include <QLabel>
#include <QListWidget>
#include <cstdint>
class Client;

// The chat log Talk: the chat lines received at the table. Created on first
// use, translucent, and hidden rather than closed.
class TalkWindow : public BoardWindow {
public:
    explicit TalkWindow(Client& c);
    QListWidget* Text1;
    // The strip along the top edge: a click hides the log.
    QLabel* Label1;
};

// Alt and C one after the other in the log hide it.
void Talk_Text1_KeyDown(Client& c, int16_t keyCode, int16_t shift);
// The chat label's click: shows the chat log over the table, or hides it when it shows.
void MainForm_Lbchat_Click(Client& c);
// Puts the chat strip's picture under the chat label, where the label stands.
void ShowChatStrip(Client& c);
