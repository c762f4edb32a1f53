#include "window/ChatFilter.h"
#include <QStringList>

QString FilterChatText(const QString& text) {
    // Each word gets one pass, in this order. A word that begins with another
    // listed word stands before it, so that the longer word goes whole.
    static const QStringList kFilteredWords = {
        QStringLiteral("他妈的"), QStringLiteral("她妈的"), QStringLiteral("它妈的"), QStringLiteral("婊子养的"),
        QStringLiteral("婊子"),   QStringLiteral("淫"),     QStringLiteral("色情"),   QStringLiteral("黄色"),
        QStringLiteral("shit"),   QStringLiteral("fuck"),
    };
    QString filtered = text;
    for (const QString& word : kFilteredWords)
        filtered.remove(word, Qt::CaseSensitive);
    return filtered;
}
