#include "support/PortraitOnScreen.h"
#include "table/Pictures.h"
#include "table/ResourceIds.h"
#include <QPixmap>
#include <QRect>
#include <array>
#include <cstdlib>
#include <limits>

namespace {
// The portraits' places in the table's design, by local seat.
constexpr std::array<QRect, 4> kPortraits{
    {{10, 666, 85, 90}, {7, 15, 70, 62}, {350, 15, 70, 62}, {693, 15, 70, 62}}};
// Edges are left out: a stretched picture's border pixels depend most on how it was scaled.
constexpr int kMargin = 4;

// The mean difference of the colour channels.
double Difference(const QImage& a, const QImage& b) {
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return double(sum) / (3.0 * a.width() * a.height());
}
}  // namespace

int PortraitShownAt(const QImage& screen, int seat, const ResourceIds& ids) {
    const QRect place = kPortraits[seat];
    if (!screen.rect().contains(place)) return -1;
    const QRect inside = QRect(QPoint(0, 0), place.size()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const QImage shown = screen.copy(place).copy(inside).convertToFormat(QImage::Format_RGB32);
    int nearest = -1;
    double least = std::numeric_limits<double>::max();
    for (int index = 0; index < int(ids.PortraitIds.size()); ++index) {
        const QImage picture = PictureOfResource(ids.PortraitIds[index])
                                   .toImage()
                                   .scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .copy(inside)
                                   .convertToFormat(QImage::Format_RGB32);
        if (const double difference = Difference(shown, picture); difference < least) {
            least = difference;
            nearest = index;
        }
    }
    return nearest;
}
