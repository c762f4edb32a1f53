#pragma once
#include <QString>

// The web host of the game centre: named in the welcome line, home of the rules page.
inline const QString kGameCentreHost = QStringLiteral("www.dravik.local");
