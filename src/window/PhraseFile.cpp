#include "window/PhraseFile.h"
#include "wire/CommandLine.h"
#include "wire/IniFile.h"
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxPhrases = 32767;
}

int PhraseCount(const QString& value) {
    // Halves round to the even number, as the platform's conversion does.
    const double count = std::nearbyint(LeadingNumber(value));
    return int(std::clamp(count, 0.0, double(kMaxPhrases)));
}

QStringList ReadPhrases(const QString& path, const QString& section) {
    if (!QFileInfo(path).isFile()) return {};
    classIniFile file;
    file.SetINIFileName(path);
    const IniSection phrases = file.GetIniSection(section);
    const int count = PhraseCount(phrases.Value(QStringLiteral("num")));
    QStringList texts;
    for (int i = 1; i <= count; ++i) texts << phrases.Value(QString::number(i));
    return texts;
}
