#include "wire/General.h"
#include "platform/AnsiCodec.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include <QListWidget>
#include <cmath>

uint8_t BitToIndex(uint8_t b) {
    for (int bit = 7; bit > 0; --bit)
        if (b & (1 << bit)) return static_cast<uint8_t>(bit);
    return 0;
}

int16_t IndexToBit(int16_t n) {
    if (n <= 0) return 1;
    if (n > 14) throw RuntimeError("IndexToBit: " + std::to_string(n) + " does not fit");
    return static_cast<int16_t>(1 << n);
}

int LocalSeatOf(uint8_t ownSeatBit, uint8_t seatBit) {
    return (BitToIndex(ownSeatBit) - BitToIndex(seatBit) + 4) % 4;
}

int LocalSeatOfBit(const Client& c, uint8_t seatBit) {
    return LocalSeatOf(c.seatInfo[0].SeatBit, static_cast<uint8_t>(seatBit & 15));
}

int16_t FindHandSlot(Client& c, int16_t imageIndex) {
    const SeatInfo& own = c.seatInfo[0];
    for (int i = own.FirstConcealed; i < own.FirstConcealed + own.ConcealedCount; ++i)
        if (CheckedAt(own.Slots, i, "FindHandSlot").Image == imageIndex) return static_cast<int16_t>(i);
    return -1;
}

void SleepSeconds(Client& c, double seconds) {
    c.platform.clock->Sleep(std::round(seconds * 1000.0) / 1000.0);
}

void WaitSeconds(Client& c, double seconds) {
    Clock& clock = *c.platform.clock;
    const double start = clock.Now();
    while (clock.Now() - start <= seconds) clock.Pump(start + seconds);
}

// A line ends as soon as the width gathered since it began reaches the
// limit. The first line keeps the character at which that happened; every
// later line starts with a blank and leaves that character to the next line.
void AddWrappedText(QListWidget& list, const QString& text, int width) {
    const qsizetype zero = text.indexOf(QChar(0));
    const int n = int(zero < 0 ? text.size() : zero);
    if (n == 0) return;
    int gathered = 0;
    int start = 1;
    for (int i = 1; i <= n; ++i) {
        if (i == n || gathered >= width) {
            QString line;
            if (start == 1) {
                line = text.left(i);
                start = i + 1;
            } else if (i == n) {
                line = QLatin1Char(' ') + text.mid(start - 1, n - start + 1);
            } else {
                line = QLatin1Char(' ') + text.mid(start - 1, i - start);
                start = i;
            }
            list.addItem(line);
            gathered = 0;
        }
        gathered += IsSingleByteChar(text.mid(i - 1, 1)) ? 1 : 2;
    }
}

bool IsSingleByteChar(const QString& text) {
    return text.isEmpty() || AnsiCodec::DisplayWidth(text.at(0)) == 1;
}

QString PadRight(const QString& text, int n) {
    return text.size() >= n ? text : text + QString(n - text.size(), QLatin1Char(' '));
}

int RoundHalfEven(double value) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

void ShowLastLine(QListWidget& list) {
    if (list.count() > 0) list.scrollToItem(list.item(list.count() - 1), QAbstractItemView::PositionAtTop);
}
