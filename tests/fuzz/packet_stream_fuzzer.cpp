// Feeds random byte streams through the socket's data event, ReadPacket and
// ProcessServerMessage of a client on doubles that has connected and sent its
// log-in. One client serves the whole run and is put back to that moment
// after each input: building a client for every input would spend nearly all
// the time on the table window. An end of the program is an allowed outcome;
// a crash or a sanitizer report is not.
#include "support/ClientSnapshot.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <QApplication>
#include <QEvent>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
// Drops what makes windows paint (a window shown, a repaint requested):
// painting is Qt's work, done later from the event loop, and would cost more
// than handling the message.
class NoPainting : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
    }
};

// Warnings are expected from odd input and would only fill the log; critical
// messages still show.
void QuietWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

TestClient* client;
const ClientSnapshot* connected;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietWarnings);
    static int argc = 1;
    static char name[] = "dravik-fuzz-packets";
    static char* argv[] = {name, nullptr};
    auto* application = new QApplication(argc, argv);
    application->installEventFilter(new NoPainting);
    client = new TestClient;
    // Nor is the table drawn in other ways: its view keeps no regions to
    // repaint, its scenes no index of places, and the hidden window lays out
    // no lists. The client reads none of this.
    MainForm& table = *(*client)->mainForm;
    table.Pic1->setViewportUpdateMode(QGraphicsView::NoViewportUpdate);
    for (QGraphicsScene* scene : {&table.scene, &table.underSurface}) scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    if (const auto end = client->Load()) {
        std::fprintf(stderr, "the client did not start: %s\n", qPrintable(*end));
        std::abort();
    }
    table.hide();
    client->Tick(5);  // the log-in job connects and sends the log-in
    // The side windows are made once here rather than by the inputs that first use them.
    (*client)->Talk();
    (*client)->Score();
    (*client)->Hero();
    connected = new ClientSnapshot(*client);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        // The first byte of each piece says how long it is, so that the
        // fuzzer explores split and merged deliveries.
        size_t at = 0;
        while (at < size) {
            const size_t length = std::min<size_t>(1 + data[at] * 3, size - at - 1);
            ++at;
            client->Deliver(QByteArray(reinterpret_cast<const char*>(data + at), int(length)));
            at += length;
            client->Tick(3);
        }
        client->Tick(2 * int(size / 272) + 4);
    } catch (const ProgramEnded&) {
    }
    // What the input made goes before the input ends, so that libFuzzer's
    // leak check sees only what the client itself keeps.
    connected->Restore(*client);
    QCoreApplication::processEvents();
    return 0;
}
