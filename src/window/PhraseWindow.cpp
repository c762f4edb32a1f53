#include "window/PhraseWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "table/pictures/ChatWindowPictures.h"
#include "table/pictures/SideWindowPictures.h"
#include "window/ChatSending.h"
#include "window/ChatWindowPlace.h"
#include "table/ClosingStrip.h"
#include "window/PhraseFile.h"
#include "table/SideWindows.h"
#include "window/TalkWindow.h"

namespace {
void FillLists(Client& c, PhraseWindow& window) {
    const QString path = c.platform.paths.Resolve(QStringLiteral("\\chat.ini"));
    window.List1->addItems(ReadPhrases(path, QStringLiteral("Phrase1")));
    window.List2->addItems(ReadPhrases(path, QStringLiteral("Phrase2")));
}

// The phrase of the list's current line; none when no line is current.
std::optional<QString> CurrentPhrase(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    if (!item) return std::nullopt;
    return item->text();
}

void HideAndReturnToChat(Client& c) {
    c.Huifu().hide();
    c.mainForm->Chat->setFocus();
}

void TogglePhrases(Client& c, QListWidget* PhraseWindow::*shown, QListWidget* PhraseWindow::*other) {
    TalkWindow& talk = c.Talk();
    if (talk.isVisible()) talk.hide();
    PhraseWindow& huifu = c.Huifu();
    if (!huifu.isVisible()) {
        ShowOverTable(c, huifu);
    } else if ((huifu.*shown)->isVisible()) {
        return huifu.hide();
    }
    (huifu.*shown)->setVisible(true);
    (huifu.*other)->setVisible(false);
}
}  // namespace

PhraseWindow::PhraseWindow(Client& c)
    : BoardWindow(QStringLiteral("快捷短语"), ChatWindowSize,
                  [] { return DrawChatWindowBackground(QStringLiteral("快捷短语")); }, kLightText, false),
      List1(AddList({8, 18, 305, 154})),
      List2(AddList({8, 18, 305, 154})),
      Label1(new ClosingStrip(this)) {
    setFixedSize(319, 180);
    List2->setToolTip(QStringLiteral("双击后发送你想说的话"));
    Label1->setGeometry(8, 0, 305, 17);
    Label1->setCursor(Qt::PointingHandCursor);
    MakeTranslucent(*this);
    FillLists(c, *this);
    Client* client = &c;
    QObject::connect(List1, &QListWidget::itemDoubleClicked, this, [client] { huifu_List1_DblClick(*client); });
    QObject::connect(List2, &QListWidget::itemDoubleClicked, this, [client] { huifu_List2_DblClick(*client); });
}

void huifu_List1_DblClick(Client& c) {
    const std::optional<QString> phrase = CurrentPhrase(*c.Huifu().List1);
    if (phrase) SendChatLine(c, ChatPhrase{*phrase, 0});
    HideAndReturnToChat(c);
}

void huifu_List2_DblClick(Client& c) {
    const QListWidget& list = *c.Huifu().List2;
    if (list.count() == 0) return;
    const std::optional<QString> phrase = CurrentPhrase(list);
    if (phrase) {
        const int number = list.currentRow() + 1;
        SendChatLine(c, ChatPhrase{*phrase, number});
        const QString voice = VoiceFileName(c, c.playerInfo[0], QStringLiteral("a") + QString::number(number));
        StopSound(c);
        if (!voice.isEmpty()) PlaySoundFile(c, voice, false);
        SetSoundVolume(c, 3000);
    }
    HideAndReturnToChat(c);
}

void MainForm_imgword1_Click(Client& c) { TogglePhrases(c, &PhraseWindow::List1, &PhraseWindow::List2); }

void MainForm_imgword2_Click(Client& c) { TogglePhrases(c, &PhraseWindow::List2, &PhraseWindow::List1); }

PhraseWindow& Client::Huifu() {
    if (!huifu) huifu = MakeWindow<PhraseWindow>(*this);
    return *huifu;
}
