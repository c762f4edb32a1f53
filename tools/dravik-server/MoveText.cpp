#include "dravik-server/MoveText.h"

QString TileHex(Rules::Tile tile) { return QStringLiteral("%1").arg(int(tile), 2, 16, QChar(u'0')); }

QString OperationName(int operation) {
    switch (operation) {
    case Rules::kPass: return QStringLiteral("pass");
    case Rules::kChow: return QStringLiteral("chow");
    case Rules::kPung: return QStringLiteral("pung");
    case Rules::kExposedKong: return QStringLiteral("kong");
    case Rules::kConcealedKong: return QStringLiteral("concealed-kong");
    case Rules::kSingleKong: return QStringLiteral("single-kong");
    case Rules::kWin: return QStringLiteral("win");
    default: return QStringLiteral("op%1").arg(operation);
    }
}
