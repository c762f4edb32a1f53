#pragma once
#include <QGraphicsScene>
#include <QWidget>

class Client;
class ImageControl;
class LabelControl;

// The notice shown when the server has closed the table: its text, and a
// choice between going back to the lobby (OK) and staying at the closed
// table (Cancel). Either button unloads it.
class TableClosedNotice : public QWidget {
    Q_OBJECT
public:
    explicit TableClosedNotice(Client& c);
    ~TableClosedNotice() override;

    QGraphicsScene scene;
    LabelControl* Label1;
    ImageControl* imgOK;
    ImageControl* imgCancel;
};

// Loads the notice unless it is open, gives it the text and shows it on top,
// centred over the table window.
void ShowTableClosedNotice(Client& c, const QString& text);
// Leave: the table is reset and the lobby comes back (the client ends without a lobby).
void frmOtherExit_imgOK_Click(Client& c);
// Stay at the closed table; the start button leads back to the lobby later.
void frmOtherExit_imgCancel_Click(Client& c);
