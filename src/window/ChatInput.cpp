#include "window/ChatInput.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "window/ChatSending.h"
#include "window/KeyCodes.h"
#include "window/KeyHandler.h"
#include "window/PhraseWindow.h"
#include "window/TalkWindow.h"
#include <QKeyEvent>
#include <cmath>

namespace {
constexpr int kMaxLogLines = 100;

// The chat box's key-downs go to the table's key handler first (its F1 is the
// boss key), then, for keys that give a character, to the key-press procedure.
bool ChatKeyDown(Client& c, const QKeyEvent& key) {
    int16_t keyCode = KeyCodeOf(key), shift = ShiftOf(key);
    MainForm_Chat_KeyDown(c, keyCode, shift);
    if (key.text().isEmpty()) return false;
    const int16_t keyAscii = keyCode == KeyCode::Enter || keyCode == KeyCode::Backspace ? keyCode : int16_t(key.text()[0].unicode());
    MainForm_Chat_KeyPress(c, keyAscii);
    // Enter has done its work; the box has nothing more to do with it.
    return keyAscii == KeyCode::Enter;
}

void PressEnter(Client& c) {
    QLineEdit& box = *c.mainForm->Chat;
    if (c.window.ChatAllowed) {
        c.window.ChatAllowed = false;
        c.TimerChat.SetEnabled(true);
        SendChatLine(c);
        // Enter empties the box even when there was nothing to send.
        box.clear();
        return;
    }
    if (box.text().isEmpty()) return;
    QListWidget& log = *c.Talk().Text1;
    log.addItem(QStringLiteral("（发送消息太快！）"));
    box.clear();
    ShowLastLine(log);
}
}  // namespace

void MainForm_Chat_KeyPress(Client& c, int16_t keyAscii) {
    c.table.Random.seed(quint32(std::fmod(c.platform.clock->Now() * 1000.0, 4294967296.0)));
    QListWidget& log = *c.Talk().Text1;
    if (log.count() > kMaxLogLines) log.clear();
    if (keyAscii == KeyCode::Enter && !c.table.SpectatorMode) PressEnter(c);
    if (keyAscii == KeyCode::Backspace && !c.chat.PrivateChatPrefix.isEmpty()) {
        const QLineEdit& box = *c.mainForm->Chat;
        c.chat.SavedChatText = box.text();
        const int caret = box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
        // A Backspace that deletes nothing brings no change to complete it; a
        // mark left standing would eat the next character typed.
        const bool deletes = box.hasSelectedText() || caret > 0;
        if (deletes && caret <= c.chat.PrivateChatPrefix.size()) c.chat.PrefixBackspaced = true;
    }
}

void MainForm_Chat_Change(Client& c) {
    ChatState& chat = c.chat;
    if (!chat.PrefixBackspaced) return;
    chat.PrefixBackspaced = false;
    QLineEdit& box = *c.mainForm->Chat;
    // The prefix goes whole, with the character the key deleted restored;
    // when the prefix had already left the box the key keeps its effect.
    if (chat.SavedChatText.contains(chat.PrivateChatPrefix))
        box.setText(WithoutPrivatePrefix(chat.SavedChatText, chat.PrivateChatPrefix));
    chat.PrivateChatPrefix.clear();
    chat.PrivateChatSaved.clear();
    chat.PrivateChatSeat = 0;
    box.setCursorPosition(int(box.text().size()));
}

void MainForm_Tou_Click(Client& c, int16_t index) {
    if (!c.connection.LoggedIn || index <= 0 || index > 3 || c.playerInfo[index].NickName.isEmpty()) return;
    ChatState& chat = c.chat;
    QLineEdit& box = *c.mainForm->Chat;
    const QString prefix = QStringLiteral("你对") + c.playerInfo[index].NickName + QStringLiteral("说: ");
    chat.PrivateChatSaved = box.text();
    chat.PrivateChatSeat = c.seatInfo[index].SeatBit;
    if (!box.text().isEmpty()) chat.PrivateChatSaved = WithoutPrivatePrefix(chat.PrivateChatSaved, chat.PrivateChatPrefix);
    chat.PrivateChatPrefix = prefix;
    box.setText(chat.PrivateChatPrefix + chat.PrivateChatSaved);
    box.setCursorPosition(int(box.text().size()));
    box.setFocus();
}

void MainForm_TimerChat_Timer(Client& c) {
    c.TimerChat.SetEnabled(false);
    c.window.ChatAllowed = true;
}

void ConnectChatEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    // A line holds at most 100 characters, a private prefix included.
    f.Chat->setMaxLength(100);
    OnKeyDown(*f.Chat, [client](const QKeyEvent& key) { return ChatKeyDown(*client, key); });
    QObject::connect(f.Chat, &QLineEdit::textChanged, f.Chat, [client] { MainForm_Chat_Change(*client); });
    for (int16_t i = 0; i < int16_t(f.Tou.size()); ++i)
        f.Tou[i]->OnClick = [client, i] { MainForm_Tou_Click(*client, i); };
    c.TimerChat.OnTick([client] { MainForm_TimerChat_Timer(*client); });
    f.Lbchat->OnClick = [client] { MainForm_Lbchat_Click(*client); };
    f.imgword1->OnClick = [client] { MainForm_imgword1_Click(*client); };
    f.imgword2->OnClick = [client] { MainForm_imgword2_Click(*client); };
    ShowChatStrip(c);
}
