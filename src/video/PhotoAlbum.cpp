#include "video/PhotoAlbum.h"
#include "platform/VideoFrame.h"
#include "shared/Client.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Names tried for one moment before the photo is given up.
constexpr int kMaxNamesPerMoment = 1000;

QString CandidateName(const QString& base, int number) {
    return number == 1 ? base + QStringLiteral(".bmp") : QStringLiteral("%1_%2.bmp").arg(base).arg(number);
}

// A name is taken by any entry, a dangling link included.
bool Taken(const QString& path) {
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

// The frame's picture as the bytes of a BMP file; empty when it holds none.
QByteArray BitmapOf(const QByteArray& frame) {
    const QImage picture = DecodeVideoFrame(frame);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "BMP")) return {};
    return bytes;
}

bool WriteAll(QFile& file, const QByteArray& bytes) {
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
}  // namespace

QString PhotoFolder(Client& c) {
    const QString folder = c.platform.paths.Resolve(QStringLiteral("\\photo"));
    if (!Taken(folder)) QDir().mkdir(folder);
    return folder;
}

QString PhotoBaseName(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString name;
    for (int number : {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()})
        name += QString::number(number);
    return name;
}

bool SavePhoto(Client& c, const QByteArray& frame) {
    const QByteArray bitmap = BitmapOf(frame);
    if (bitmap.isEmpty()) return false;
    const QString base = PhotoFolder(c) + QLatin1Char('/') + PhotoBaseName(c.platform.clock->LocalTime());
    for (int number = 1; number <= kMaxNamesPerMoment; ++number) {
        QFile file(CandidateName(base, number));
        // NewOnly: a file that appears meanwhile is never written over.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (Taken(file.fileName())) continue;
            return false;
        }
        if (WriteAll(file, bitmap)) return true;
        // No half photo stays behind.
        file.remove();
        return false;
    }
    return false;
}
