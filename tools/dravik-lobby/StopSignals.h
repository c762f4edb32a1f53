#pragma once

class QCoreApplication;

// Ends the event loop of `app` on SIGINT or SIGTERM, so that the program
// still closes down in order (its endpoint file is removed on the way).
void QuitOnStopSignals(QCoreApplication& app);
