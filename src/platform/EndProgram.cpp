#include "platform/EndProgram.h"
#include <cstdio>
#include <cstdlib>

void ProcessEnd::End(const QString& reason) {
    std::fprintf(stderr, "END\t%s\n", reason.toUtf8().constData());
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}
