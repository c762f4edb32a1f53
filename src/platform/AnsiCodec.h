#pragma once
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Text is QString inside the client and GBK bytes on the wire and in files.
namespace AnsiCodec {
QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);

// Decodes piece after piece as FromAnsi decodes each, with one converter:
// opening a converter costs far more than decoding a character, and texts
// from the wire are decoded one character at a time.
class Decoder {
public:
    Decoder();
    QString operator()(const QByteArray& bytes);

private:
    QStringDecoder decoder_;
};

// The GBK bytes of one character: 1 or 2 bytes; a character GBK cannot hold gives "?".
QByteArray CharToAnsi(QChar c);
// Display width: a character that fits one byte counts 1, any other 2.
int DisplayWidth(QChar c);
}  // namespace AnsiCodec
