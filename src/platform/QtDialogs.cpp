#include "platform/QtDialogs.h"
#include <QMessageBox>
#include <cstdio>

QtDialogs::QtDialogs() : automatic_(qEnvironmentVariable("DRAVIK_DIALOGS") == QLatin1String("auto")) {}

Dialogs::Answer QtDialogs::MsgBox(const QString& text, Buttons buttons, const QString& title) {
    if (automatic_) {
        std::fprintf(stderr, "DIALOG\t%s\t%s\n", title.toUtf8().constData(), text.toUtf8().constData());
        std::fflush(stderr);
        return Ok;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    buttons == OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Cancel ? Cancel : Ok;
}
