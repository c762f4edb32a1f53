#include "window/ChatFilter.h"
#include <QStringList>

QString FilterChatText(const QString& text) {
    // Each word gets one pass, in this order. A word that begins with another
    // listed word stands before it, so that the longer word goes whole. The
    // first five are names the game centre keeps out of its chat: four people
    // who cheated its tables and the ring they ran.
    static const QStringList kFilteredWords = {
        QStringLiteral("郝建仁"), QStringLiteral("贾诚信"), QStringLiteral("甄骗子"), QStringLiteral("牛老千"),
        QStringLiteral("千王帮"), QStringLiteral("他妈的"), QStringLiteral("她妈的"), QStringLiteral("它妈的"),
        QStringLiteral("婊子养的"), QStringLiteral("婊子"), QStringLiteral("淫"),   QStringLiteral("色情"),
        QStringLiteral("黄色"),   QStringLiteral("shit"),   QStringLiteral("fuck"),
    };
    QString filtered = text;
    for (const QString& word : kFilteredWords)
        filtered.remove(word, Qt::CaseSensitive);
    return filtered;
}
