// Writes the table client's sound files: the tune and the table effects, and
// with --voices the spoken tiles, claims and voice phrases (needs espeak-ng on PATH).
#include "dravik-sounds/MusicFiles.h"
#include "dravik-sounds/VoiceFiles.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes DIR/music/*.wav and, with --voices, DIR/mj/*.wav."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The folder to write into."), QStringLiteral("DIR"));
    const QCommandLineOption voices(QStringLiteral("voices"), QStringLiteral("Also speak the voice files with espeak-ng."));
    parser.addOptions({out, voices});
    parser.process(app);
    if (!parser.isSet(out)) {
        std::fprintf(stderr, "dravik-sounds: --out DIR is required\n");
        return 2;
    }

    const QString dir = parser.value(out);
    QString error;
    if (!WriteMusicFiles(dir, &error)) {
        std::fprintf(stderr, "dravik-sounds: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("wrote %s/music\n", qPrintable(dir));
    if (!parser.isSet(voices)) return 0;

    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        std::fprintf(stderr, "dravik-sounds: espeak-ng is not on PATH; no voice files written\n");
        return 0;
    }
    if (!WriteVoiceFiles(dir, espeak, &error)) {
        std::fprintf(stderr, "dravik-sounds: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("wrote %s/mj\n", qPrintable(dir));
    return 0;
}
