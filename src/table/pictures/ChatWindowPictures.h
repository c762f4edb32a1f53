#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The background of the chat log and of the phrase window: a dark board with
// a title strip along the top edge that closes the window.
QImage DrawChatWindowBackground(const QString& title);
inline constexpr QSize ChatWindowSize{320, 180};
