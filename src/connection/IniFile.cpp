#include "connection/IniFile.h"
#include "platform/AnsiCodec.h"
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {
constexpr qsizetype kMaxValueBytes = 1023;

// Lines [header + 1, end) hold the section's keys.
struct SectionSpan {
    qsizetype header;
    qsizetype end;
};

struct Entry {
    QStringView key;
    QStringView value;
};

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QChar AsciiLower(QChar c) { return c.unicode() < 128 ? c.toLower() : c; }

bool EqualIgnoringAsciiCase(QStringView a, QStringView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QChar x, QChar y) { return AsciiLower(x) == AsciiLower(y); });
}

// Text that goes into one line of the file.
QString OneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString CleanName(const QString& name) { return TrimBlanks(OneLine(name)).toString(); }

std::optional<QStringView> SectionOf(QStringView line) {
    line = TrimBlanks(line);
    const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
    if (!line.startsWith(QLatin1Char('[')) || close < 0)
        return std::nullopt;
    return TrimBlanks(line.sliced(1, close - 1));
}

std::optional<Entry> EntryOf(QStringView line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || TrimBlanks(line).startsWith(QLatin1Char(';')))
        return std::nullopt;
    return Entry{TrimBlanks(line.first(equals)), line.sliced(equals + 1)};
}

std::optional<SectionSpan> FindSection(const QStringList& lines, QStringView name) {
    for (qsizetype header = 0; header < lines.size(); ++header) {
        const auto section = SectionOf(lines[header]);
        if (!section || !EqualIgnoringAsciiCase(*section, name))
            continue;
        qsizetype end = header + 1;
        while (end < lines.size() && !SectionOf(lines[end]))
            ++end;
        return SectionSpan{header, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> FindKey(const QStringList& lines, SectionSpan span, QStringView key) {
    for (qsizetype line = span.header + 1; line < span.end; ++line) {
        const auto entry = EntryOf(lines[line]);
        if (entry && EqualIgnoringAsciiCase(entry->key, key))
            return line;
    }
    return std::nullopt;
}

// Where a new key goes: after the section's last non-blank line.
qsizetype EndOfKeys(const QStringList& lines, SectionSpan span) {
    qsizetype end = span.end;
    while (end > span.header + 1 && TrimBlanks(lines[end - 1]).isEmpty())
        --end;
    return end;
}

// The longest start of `text` whose GBK form fits `maxBytes`, without a split character.
QStringView CutToAnsiBytes(QStringView text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        bytes += AnsiCodec::CharToAnsi(text[at]).size();
        if (bytes > maxBytes)
            return text.first(at);
    }
    return text;
}

// No value when the file exists but cannot be read, so that a write does not
// replace a file it could not see.
std::optional<QStringList> ReadLines(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.exists())
        return QStringList();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList lines = AnsiCodec::FromAnsi(file.readAll()).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

void WriteLines(const QString& path, const QStringList& lines) {
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    file.write(AnsiCodec::ToAnsi(text));
    file.commit();
}
}  // namespace

void classIniFile::SetINIFileName(const QString& New_IniPath) { iniFileName_ = New_IniPath; }

QString classIniFile::INIFileName() const { return iniFileName_; }

void classIniFile::WriteIniKey(const QString& strSection, const QString& strKey, const QString& strValue) {
    WriteIniKeys(strSection, {{strKey, strValue}});
}

void classIniFile::WriteIniKeys(const QString& strSection, const QList<std::pair<QString, QString>>& keysAndValues) {
    auto lines = ReadLines(iniFileName_);
    if (!lines)
        return;
    const QString section = CleanName(strSection);
    if (!FindSection(*lines, section))
        *lines << QLatin1Char('[') + section + QLatin1Char(']');
    SectionSpan span = *FindSection(*lines, section);
    for (const auto& [strKey, strValue] : keysAndValues) {
        const QString key = CleanName(strKey);
        const QString entryLine = key + QLatin1Char('=') + OneLine(strValue);
        if (const auto line = FindKey(*lines, span, key)) {
            (*lines)[*line] = entryLine;
        } else {
            lines->insert(EndOfKeys(*lines, span), entryLine);
            ++span.end;
        }
    }
    WriteLines(iniFileName_, *lines);
}

QString classIniFile::GetIniKey(const QString& section, const QString& key) const {
    return GetIniKeys(section, {key}).front();
}

QStringList classIniFile::GetIniKeys(const QString& section, const QStringList& keys) const {
    const QStringList lines = ReadLines(iniFileName_).value_or(QStringList());
    const auto span = FindSection(lines, CleanName(section));
    QStringList values;
    for (const QString& key : keys) {
        const auto line = span ? FindKey(lines, *span, CleanName(key)) : std::nullopt;
        if (!line) {
            values << QString();
            continue;
        }
        QString value = EntryOf(lines[*line])->value.toString();
        value.remove(QChar(0));
        values << TrimBlanks(CutToAnsiBytes(TrimBlanks(value), kMaxValueBytes)).toString();
    }
    return values;
}

void classIniFile::DelIniKey(const QString& SectionName, const QString& KeyWord) {
    auto lines = ReadLines(iniFileName_);
    const auto span = lines ? FindSection(*lines, CleanName(SectionName)) : std::nullopt;
    const auto line = span ? FindKey(*lines, *span, CleanName(KeyWord)) : std::nullopt;
    if (!line)
        return;
    lines->removeAt(*line);
    WriteLines(iniFileName_, *lines);
}

void classIniFile::DelIniSec(const QString& SectionName) {
    auto lines = ReadLines(iniFileName_);
    if (!lines)
        return;
    const QString section = CleanName(SectionName);
    bool removed = false;
    // A name may head more than one section; none of them may survive.
    while (const auto span = FindSection(*lines, section)) {
        lines->remove(span->header, span->end - span->header);
        removed = true;
    }
    if (removed)
        WriteLines(iniFileName_, *lines);
}
