// Feeds random byte streams through the socket's data event, ReadPacket and
// ProcessServerMessage of a logged-in client on doubles. An end of the
// program is an allowed outcome; a crash or a sanitizer report is not.
#include "support/TestClient.h"
#include <QApplication>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dravik-fuzz-packets";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TestClient t;
    if (t.Load()) return 0;
    try {
        t.Tick(5);  // the log-in job connects and sends the log-in
        // The first byte of each piece says how long it is, so that the
        // fuzzer explores split and merged deliveries.
        size_t at = 0;
        while (at < size) {
            const size_t length = std::min<size_t>(1 + data[at] * 3, size - at - 1);
            ++at;
            t.Deliver(QByteArray(reinterpret_cast<const char*>(data + at), int(length)));
            at += length;
            t.Tick(3);
        }
        t.Tick(2 * int(size / 272) + 4);
    } catch (const ProgramEnded&) {
    }
    return 0;
}
