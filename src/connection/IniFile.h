#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// One INI file of "[section]" and "key=value" lines, stored as GBK with CRLF
// line ends. Section and key names match without regard to ASCII case.
// Failures are silent: a missing or unreadable file reads as empty values
// and a write that cannot be saved is lost.
class classIniFile {
public:
    void SetINIFileName(const QString& New_IniPath);
    QString INIFileName() const;

    // Creates the file and the section when missing; an existing key is
    // rewritten in place, a new one goes at the end of its section.
    void WriteIniKey(const QString& strSection, const QString& strKey, const QString& strValue);
    // Several keys of one section in one replacement of the file, so that a
    // failure leaves the file as it was before any of them.
    void WriteIniKeys(const QString& strSection, const QList<std::pair<QString, QString>>& keysAndValues);
    // The value without surrounding blanks and zero characters, cut at 1023
    // GBK bytes; empty when the file, section or key is missing.
    QString GetIniKey(const QString& section, const QString& key) const;
    // The values of several keys of one section, read from one look at the file.
    QStringList GetIniKeys(const QString& section, const QStringList& keys) const;
    void DelIniKey(const QString& SectionName, const QString& KeyWord);
    void DelIniSec(const QString& SectionName);

private:
    QString iniFileName_;
};
