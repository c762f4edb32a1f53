#pragma once
#include <QString>

// Modal message boxes.
class Dialogs {
public:
    enum Buttons { OkOnly = 0, OkCancel = 1 };
    enum Answer { Ok = 1, Cancel = 2 };
    virtual ~Dialogs() = default;
    // Shows the box and returns the button the user chose.
    virtual Answer MsgBox(const QString& text, Buttons buttons, const QString& title) = 0;
};

// The title of a box that has none of its own.
inline const QString kDefaultDialogTitle = QStringLiteral("Dravik麻将");
