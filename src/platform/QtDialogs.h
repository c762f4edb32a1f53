#pragma once
#include "platform/Dialogs.h"

// Qt message boxes; with DRAVIK_DIALOGS=auto every box prints one line
// "DIALOG<TAB>title<TAB>text" to stderr and takes its default button at once.
class QtDialogs : public Dialogs {
public:
    QtDialogs();
    Answer MsgBox(const QString& text, Buttons buttons, const QString& title) override;

private:
    bool automatic_;
};
