#pragma once
#include <QString>
#include <QStringList>

// The phrases of one section of a phrase file ("Phrase1" text, "Phrase2"
// voice): keys "1" to the count under "num", a missing key giving an empty
// phrase; none when the file is missing.
QStringList ReadPhrases(const QString& path, const QString& section);
// The count under "num", read as a number: its leading digits, a fraction
// rounded, 0 for a value that does not start with a number, at most 32,767.
int PhraseCount(const QString& value);
