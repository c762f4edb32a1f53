#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// How the INI class reads the lines of a file. Sections are found in the
// file's GBK bytes, decoding only the lines that may head one, so that a
// look-up in a long file costs one pass over its bytes.
namespace IniText {

// Files are read this far and the rest ignored, so that no file, however it
// came to be, holds up the client or fills its memory; a hand history of
// several thousand hands still fits.
constexpr qsizetype kMaxFileBytes = 32 * 1024 * 1024;

struct FileBytes {
    QByteArray bytes;
    // The file went on past the limit; `bytes` end at the last whole line before it.
    bool cut = false;
};

// Empty for no path or a missing file; no value when the file exists but
// cannot be read, so that a write does not replace a file it could not see.
std::optional<FileBytes> ReadFileBytes(const QString& path);
// Replaces the file in one step; false when it could not be saved.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

// Byte offsets: the header line starts at `header`, the section's own lines
// fill [body, end), which ends where the next header starts.
struct SectionSpan {
    qsizetype header;
    qsizetype body;
    qsizetype end;
};
// The first section of this name at or after `from` (a line start).
std::optional<SectionSpan> FindSection(const QByteArray& bytes, QStringView name, qsizetype from = 0);
// The decoded lines of a run of whole lines, without their line ends; one
// line more than the run holds line ends (the empty rest after the last).
QStringList DecodeLines(QByteArrayView lines);

struct Entry {
    QStringView key;
    QStringView value;
};
// A "key=value" line; a comment or a line without "=" is none.
std::optional<Entry> EntryOf(QStringView line);
bool IsBlankLine(QStringView line);
// A section or key name as it is stored: on one line, without surrounding blanks.
QString CleanName(const QString& name);
// Text that goes into one line of the file.
QString OneLine(QString text);
// Names match without regard to ASCII case: equal names have equal folds.
QString FoldName(QStringView name);
// A stored value as a reader gets it: without surrounding blanks and zero
// characters, cut at 1023 GBK bytes.
QString ValueRead(QStringView stored);

}  // namespace IniText
