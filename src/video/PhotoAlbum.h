#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
class Client;

// The photo album: the folder "photo" in the program folder, created when the
// program folder has no entry of that name.
QString PhotoFolder(Client& c);
// A photo's name for the moment it is taken, without the extension: year,
// month, day, hour (0 to 23), minute and second as plain decimal numbers in a row.
QString PhotoBaseName(const QDateTime& moment);
// Writes a video frame's picture as a BMP file into a new file of the album
// named for the current moment. A name already taken gets a suffix ("_2",
// "_3", ...), so no photo ever overwrites another. True only when every byte
// was written and the file closed cleanly; a frame that holds no picture
// (none kept yet, or a broken one) writes nothing.
bool SavePhoto(Client& c, const QByteArray& frame);
