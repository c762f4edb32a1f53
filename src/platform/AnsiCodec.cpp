#include "platform/AnsiCodec.h"
#include <QStringEncoder>

namespace {
// The Windows "ANSI code page" of a Chinese system (code page 936).
constexpr char kAnsiEncoding[] = "GBK";
}  // namespace

namespace AnsiCodec {

QByteArray ToAnsi(const QString& text) {
    QStringEncoder encoder(kAnsiEncoding, QStringConverter::Flag::Stateless);
    return encoder(text);
}

QString FromAnsi(const QByteArray& bytes) { return Decoder()(bytes); }

// Stateless: nothing carries over from one piece to the next.
Decoder::Decoder() : decoder_(kAnsiEncoding, QStringConverter::Flag::Stateless) {}

QString Decoder::operator()(const QByteArray& bytes) {
    // The decoder silently drops an unfinished double-byte character at the
    // end. A zero byte is never a trail byte, so appending one turns such a
    // lead byte into U+FFFD; the zero comes back as the last character.
    QString text = decoder_(bytes + '\0');
    text.chop(1);
    return text;
}

QByteArray CharToAnsi(QChar c) {
    QStringEncoder encoder(kAnsiEncoding, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(QStringView(&c, 1));
    return encoder.hasError() ? QByteArray("?") : bytes;
}

int DisplayWidth(QChar c) { return CharToAnsi(c).size() == 1 ? 1 : 2; }

}  // namespace AnsiCodec
