#include "wire/IniText.h"
#include "platform/AnsiCodec.h"
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace IniText {
namespace {
constexpr qsizetype kMaxValueBytes = 1023;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QChar AsciiLower(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c; }

bool EqualIgnoringAsciiCase(QStringView a, QStringView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QChar x, QChar y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<QStringView> SectionOf(QStringView line) {
    line = TrimBlanks(line);
    const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
    if (!line.startsWith(QLatin1Char('[')) || close < 0)
        return std::nullopt;
    return TrimBlanks(line.sliced(1, close - 1));
}

QByteArrayView LineAt(const QByteArray& bytes, qsizetype at) {
    const qsizetype newline = bytes.indexOf('\n', at);
    QByteArrayView line = QByteArrayView(bytes).sliced(at, (newline < 0 ? bytes.size() : newline) - at);
    return line.endsWith('\r') ? line.chopped(1) : line;
}

qsizetype NextLineStart(const QByteArray& bytes, qsizetype at) {
    const qsizetype newline = bytes.indexOf('\n', at);
    return newline < 0 ? bytes.size() : newline + 1;
}

// The start of the next line at or after `from` (a line start) that may head
// a section: its first non-blank byte is "[". Such a byte is never part of a
// double-byte character there, and the search leaps from "[" to "[".
std::optional<qsizetype> NextHeaderCandidate(const QByteArray& bytes, qsizetype from) {
    for (qsizetype bracket = bytes.indexOf('[', from); bracket >= 0; bracket = bytes.indexOf('[', bracket + 1)) {
        qsizetype start = bracket;
        while (start > from && IsBlankByte(bytes[start - 1]))
            --start;
        if (start == from || bytes[start - 1] == '\n')
            return start;
    }
    return std::nullopt;
}

// The name a line heads a section with, when it does.
std::optional<QString> SectionNameOf(QByteArrayView line, AnsiCodec::Decoder& decode) {
    const QString text = decode(line.toByteArray());
    const auto name = SectionOf(text);
    return name ? std::optional<QString>(name->toString()) : std::nullopt;
}

// The longest start of `text` whose GBK form fits `maxBytes`, without a split character.
QStringView CutToAnsiBytes(QStringView text, qsizetype maxBytes) {
    // No character takes more than two bytes.
    if (text.size() * 2 <= maxBytes)
        return text;
    qsizetype bytes = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        bytes += AnsiCodec::CharToAnsi(text[at]).size();
        if (bytes > maxBytes)
            return text.first(at);
    }
    return text;
}
}  // namespace

std::optional<FileBytes> ReadFileBytes(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.exists())
        return FileBytes{};
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte past the limit tells a file that goes on from one that ends there.
    const qint64 wanted = file.isSequential() ? kMaxFileBytes + 1 : std::min<qint64>(file.size(), kMaxFileBytes) + 1;
    FileBytes read{file.read(wanted)};
    if (read.bytes.size() > kMaxFileBytes) {
        read.cut = true;
        read.bytes.truncate(read.bytes.lastIndexOf('\n', kMaxFileBytes - 1) + 1);
    }
    return read;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return !path.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::optional<SectionSpan> FindSection(const QByteArray& bytes, QStringView name, qsizetype from) {
    AnsiCodec::Decoder decode;
    std::optional<SectionSpan> found;
    for (auto at = NextHeaderCandidate(bytes, from); at; at = NextHeaderCandidate(bytes, NextLineStart(bytes, *at))) {
        const auto lineName = SectionNameOf(LineAt(bytes, *at), decode);
        if (!lineName)
            continue;
        if (found) {
            found->end = *at;
            return found;
        }
        if (EqualIgnoringAsciiCase(*lineName, name))
            found = SectionSpan{*at, NextLineStart(bytes, *at), bytes.size()};
    }
    return found;
}

QStringList DecodeLines(QByteArrayView lines) {
    QStringList decoded = AnsiCodec::FromAnsi(lines.toByteArray()).split(QLatin1Char('\n'));
    for (QString& line : decoded) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return decoded;
}

std::optional<Entry> EntryOf(QStringView line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || TrimBlanks(line).startsWith(QLatin1Char(';')))
        return std::nullopt;
    return Entry{TrimBlanks(line.first(equals)), line.sliced(equals + 1)};
}

bool IsBlankLine(QStringView line) { return TrimBlanks(line).isEmpty(); }

QString OneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString CleanName(const QString& name) { return TrimBlanks(OneLine(name)).toString(); }

QString FoldName(QStringView name) {
    QString folded(name.size(), Qt::Uninitialized);
    std::transform(name.begin(), name.end(), folded.begin(), AsciiLower);
    return folded;
}

QString ValueRead(QStringView stored) {
    QString value = stored.toString();
    value.remove(QChar(0));
    return TrimBlanks(CutToAnsiBytes(TrimBlanks(value), kMaxValueBytes)).toString();
}

}  // namespace IniText
