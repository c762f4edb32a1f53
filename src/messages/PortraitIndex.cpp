#include "messages/PortraitIndex.h"

int PortraitIndexOf(const QString& avatar) {
    if (avatar.size() != 2 && avatar.size() != 3) return 0;
    bool isNumber = false;
    const int number = avatar.mid(1).toInt(&isNumber);
    if (!isNumber || number < 1 || !avatar.at(1).isDigit() || !avatar.back().isDigit()) return 0;
    int index = number - 1;
    if (index >= 10) index = 0;
    return avatar.front() == QLatin1Char('w') ? index + 10 : index;
}
