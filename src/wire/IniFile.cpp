#include "wire/IniFile.h"
#include "wire/IniText.h"
#include "platform/AnsiCodec.h"
#include <QMap>
#include <QSet>

using namespace IniText;

namespace {
// The lines of one section while keys are set or removed in it. Lines left
// alone keep their bytes; keys are found by their folded names, so that
// setting many keys costs no more than reading them.
class SectionEdit {
public:
    explicit SectionEdit(QByteArrayView body) : raw_(body.toByteArray().split('\n')) {
        AnsiCodec::Decoder decode;
        for (qsizetype i = 0; i < raw_.size(); ++i) {
            QString text = decode(raw_[i]);
            if (text.endsWith(QLatin1Char('\r')))
                text.chop(1);
            if (const auto entry = EntryOf(text)) {
                const QString folded = FoldName(entry->key);
                if (!lineOfKey_.contains(folded))
                    lineOfKey_.insert(folded, i);
            }
            if (!IsBlankLine(text))
                endOfKeys_ = i + 1;
        }
    }

    void Set(const QString& key, const QString& value) {
        const QString line = key + QLatin1Char('=') + value;
        const QString folded = FoldName(key);
        if (const auto existing = lineOfKey_.constFind(folded); existing != lineOfKey_.cend()) {
            replaced_[*existing] = line;
        } else if (const auto added = addedOfKey_.constFind(folded); added != addedOfKey_.cend()) {
            added_[*added] = line;
        } else {
            addedOfKey_.insert(folded, added_.size());
            added_ << line;
        }
    }

    // False when the section holds no such key.
    bool Remove(const QString& key) {
        const auto line = lineOfKey_.constFind(FoldName(key));
        if (line == lineOfKey_.cend())
            return false;
        removed_.insert(*line);
        lineOfKey_.erase(line);
        return true;
    }

    // The section's lines as they now stand: new keys after its last
    // non-blank line, each new or rewritten line ended by CRLF.
    QByteArray Bytes() const {
        QStringList texts = replaced_.values();
        texts += added_;
        // One conversion for all: opening the converter costs more than a line.
        const QList<QByteArray> encoded = AnsiCodec::ToAnsi(texts.join(QLatin1Char('\n'))).split('\n');
        QHash<qsizetype, QByteArray> rewritten;
        qsizetype k = 0;
        for (auto line = replaced_.keyBegin(); line != replaced_.keyEnd(); ++line)
            rewritten.insert(*line, encoded[k++] + '\r');
        QByteArray bytes;
        for (qsizetype i = 0; i < raw_.size(); ++i) {
            if (i == endOfKeys_) {
                for (qsizetype j = 0; j < added_.size(); ++j)
                    bytes += encoded[replaced_.size() + j] + "\r\n";
            }
            if (removed_.contains(i))
                continue;
            bytes += rewritten.value(i, raw_[i]);
            if (i + 1 < raw_.size())
                bytes += '\n';
        }
        return bytes;
    }

private:
    // The lines without their "\n"; the last is what follows the last "\n".
    QList<QByteArray> raw_;
    QHash<QString, qsizetype> lineOfKey_;
    qsizetype endOfKeys_ = 0;
    QMap<qsizetype, QString> replaced_;
    QSet<qsizetype> removed_;
    QStringList added_;
    QHash<QString, qsizetype> addedOfKey_;
};

// The whole file for a change, its last line ended; none when it cannot be
// read or goes on past the read limit, as writing it back would lose its end.
std::optional<QByteArray> BytesToEdit(const QString& path) {
    auto file = ReadFileBytes(path);
    if (path.isEmpty() || !file || file->cut)
        return std::nullopt;
    if (!file->bytes.isEmpty() && !file->bytes.endsWith('\n'))
        file->bytes += "\r\n";
    return std::move(file->bytes);
}

QByteArrayView Body(const QByteArray& bytes, SectionSpan span) {
    return QByteArrayView(bytes).sliced(span.body, span.end - span.body);
}

void ReplaceBody(QByteArray& bytes, SectionSpan span, const SectionEdit& edit) {
    bytes.replace(span.body, span.end - span.body, edit.Bytes());
}
}  // namespace

QString IniSection::Value(const QString& key) const {
    const auto stored = stored_.constFind(FoldName(CleanName(key)));
    return stored == stored_.cend() ? QString() : ValueRead(*stored);
}

void classIniFile::SetINIFileName(const QString& New_IniPath) { iniFileName_ = New_IniPath; }

QString classIniFile::INIFileName() const { return iniFileName_; }

bool classIniFile::WriteIniKey(const QString& strSection, const QString& strKey, const QString& strValue) {
    return WriteIniKeys(strSection, {{strKey, strValue}});
}

bool classIniFile::WriteIniKeys(const QString& strSection, const QList<std::pair<QString, QString>>& keysAndValues) {
    auto bytes = BytesToEdit(iniFileName_);
    if (!bytes)
        return false;
    const QString section = CleanName(strSection);
    auto span = FindSection(*bytes, section);
    if (!span) {
        const qsizetype header = bytes->size();
        *bytes += AnsiCodec::ToAnsi(QLatin1Char('[') + section + QLatin1Char(']')) + "\r\n";
        span = SectionSpan{header, bytes->size(), bytes->size()};
    }
    SectionEdit edit(Body(*bytes, *span));
    for (const auto& [key, value] : keysAndValues)
        edit.Set(CleanName(key), OneLine(value));
    ReplaceBody(*bytes, *span, edit);
    return bytes->size() <= kMaxFileBytes && WriteFileBytes(iniFileName_, *bytes);
}

QString classIniFile::GetIniKey(const QString& section, const QString& key) const {
    return GetIniSection(section).Value(key);
}

QStringList classIniFile::GetIniKeys(const QString& section, const QStringList& keys) const {
    const IniSection read = GetIniSection(section);
    QStringList values;
    for (const QString& key : keys)
        values << read.Value(key);
    return values;
}

IniSection classIniFile::GetIniSection(const QString& section) const {
    IniSection read;
    const auto file = ReadFileBytes(iniFileName_);
    const auto span = file ? FindSection(file->bytes, CleanName(section)) : std::nullopt;
    if (!span)
        return read;
    for (const QString& line : DecodeLines(Body(file->bytes, *span))) {
        const auto entry = EntryOf(line);
        if (!entry)
            continue;
        const QString folded = FoldName(entry->key);
        if (!read.stored_.contains(folded))
            read.stored_.insert(folded, entry->value.toString());
    }
    return read;
}

void classIniFile::DelIniKey(const QString& SectionName, const QString& KeyWord) {
    auto bytes = BytesToEdit(iniFileName_);
    const auto span = bytes ? FindSection(*bytes, CleanName(SectionName)) : std::nullopt;
    if (!span)
        return;
    SectionEdit edit(Body(*bytes, *span));
    if (!edit.Remove(CleanName(KeyWord)))
        return;
    ReplaceBody(*bytes, *span, edit);
    WriteFileBytes(iniFileName_, *bytes);
}

void classIniFile::DelIniSec(const QString& SectionName) {
    auto bytes = BytesToEdit(iniFileName_);
    if (!bytes)
        return;
    const QString section = CleanName(SectionName);
    bool removed = false;
    // A name may head more than one section; none of them may survive.
    qsizetype from = 0;
    while (const auto span = FindSection(*bytes, section, from)) {
        bytes->remove(span->header, span->end - span->header);
        from = span->header;
        removed = true;
    }
    if (removed)
        WriteFileBytes(iniFileName_, *bytes);
}
