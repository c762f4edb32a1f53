#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// The keys of one section as they stood when it was read.
class IniSection {
public:
    // As classIniFile::GetIniKey.
    QString Value(const QString& key) const;

private:
    friend class classIniFile;
    // The first entry of each key name, by the name's ASCII fold, as stored.
    QHash<QString, QString> stored_;
};

// One INI file of "[section]" and "key=value" lines, stored as GBK with CRLF
// line ends. Section and key names match without regard to ASCII case; of
// several sections (or keys in a section) with one name the first counts.
// Only the first 32 MiB of a file are read. Failures are silent: a missing
// or unreadable file reads as empty values.
class classIniFile {
public:
    void SetINIFileName(const QString& New_IniPath);
    QString INIFileName() const;

    // Creates the file and the section when missing; an existing key is
    // rewritten in place, a new one goes at the end of its section. False
    // when the write could not be saved.
    bool WriteIniKey(const QString& strSection, const QString& strKey, const QString& strValue);
    // Several keys of one section in one replacement of the file, so that a
    // failure leaves the file as it was before any of them. A file that
    // would pass the read limit is not written: it could not be read back.
    bool WriteIniKeys(const QString& strSection, const QList<std::pair<QString, QString>>& keysAndValues);
    // The value without surrounding blanks and zero characters, cut at 1023
    // GBK bytes; empty when the file, section or key is missing.
    QString GetIniKey(const QString& section, const QString& key) const;
    // The values of several keys of one section, read from one look at the file.
    QStringList GetIniKeys(const QString& section, const QStringList& keys) const;
    // A whole section from one look at the file; empty when it is missing.
    IniSection GetIniSection(const QString& section) const;
    void DelIniKey(const QString& SectionName, const QString& KeyWord);
    void DelIniSec(const QString& SectionName);

private:
    QString iniFileName_;
};
