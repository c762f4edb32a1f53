#pragma once
#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include "shared/GameMessage.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

// A logged-in client at the table as seat bit 4, nicknamed "ann"; "cat",
// "bob" and "dan" sit in portraits 1 to 3 with seat bits 8, 1 and 2. Keys
// reach the chat box as the window system delivers them.
class ChatFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t->connection.LoggedIn = true;
        const uint8_t seatBits[] = {4, 8, 1, 2};
        const char* const nickNames[] = {"ann", "cat", "bob", "dan"};
        for (int s = 0; s < 4; ++s) {
            t->seatInfo[s].SeatBit = seatBits[s];
            t->playerInfo[s].NickName = QString::fromLatin1(nickNames[s]);
        }
        t->playerInfo[0].VoiceCode = QStringLiteral("00");
        t->playerInfo[0].VoiceSet = QStringLiteral("20");
        t->playerInfo[0].Sex = 0;
        t->playerInfo[0].VoiceSex = 2;
        t.socket->sent.clear();
        // The start-up's music is not what the tests listen for.
        t.sound->played.clear();
        t.sound->stops = 0;
        t.sound->volume = -1;
    }

    QLineEdit& Box() { return *t->mainForm->Chat; }
    void Key(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&Box(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(&Box(), &release);
    }
    void Type(const QString& text) {
        for (QChar ch : text) Key(0, QString(ch));
    }
    void Enter() { Key(Qt::Key_Return, QStringLiteral("\r")); }
    void Backspace() { Key(Qt::Key_Backspace, QStringLiteral("\b")); }
    QString PhraseFilePath() { return QDir(t->platform.paths.ProgramDir()).filePath(QStringLiteral("chat.ini")); }
    // The phrase file in the program folder, GBK with CRLF line ends; read when
    // the phrase window is first touched.
    void WritePhraseFile(const QString& text) {
        QFile file(PhraseFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AnsiCodec::ToAnsi(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))));
    }
    void ClickPortrait(int index) { t->mainForm->Tou[index]->OnClick(); }

    // The chat packets sent once the scheduler has had time to send what is queued.
    std::vector<QByteArray> ChatPacketsSent() {
        t.Tick(4);
        std::vector<QByteArray> chat;
        for (const QByteArray& packet : t.Sent())
            if (packet.size() == kPacketSize && uint8_t(packet[3]) == MessageType::ChatLine) chat.push_back(packet);
        return chat;
    }

    TestClient t;
};

// The bytes 16 on of a packet up to the first zero, in hex.
inline QByteArray ChatTextHex(const QByteArray& packet) {
    const QByteArray text = packet.mid(PacketOffset::Payload, 200);
    return text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0')).toHex(' ');
}
