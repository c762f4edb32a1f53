#include "run/TableClosedNotice.h"
#include "table/SideWindows.h"
#include "run/Leaving.h"
#include "wire/LobbyWindowLink.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLinearGradient>

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 180;

// The scene paints the shade and the frame itself when the notice shows: a
// picture of them would cost every notice a large picture to fill.
void SetShadeAndFrame(QGraphicsScene& scene) {
    QLinearGradient shade(0, 0, 0, kHeight);
    shade.setColorAt(0, QColor(120, 40, 20));
    shade.setColorAt(1, QColor(60, 15, 10));
    scene.setBackgroundBrush(shade);
    QGraphicsRectItem* frame = scene.addRect(QRectF(2, 2, kWidth - 5, kHeight - 5), QPen(QColor(230, 190, 90)));
    frame->setZValue(-1);
}

ImageControl* NewButton(Client& c, QGraphicsScene& scene, double left, int resourceId) {
    auto* button = new ImageControl;
    scene.addItem(button);
    button->SetStretch(true);
    button->Move(left, 124, 70, 30);
    button->setCursor(Qt::PointingHandCursor);
    SetPictureFromResource(c, *button, resourceId);
    return button;
}

QWidget* ShownNotice(Client& c) { return c.frmOtherExit.get(); }
}  // namespace

TableClosedNotice::TableClosedNotice(Client& c) {
    setWindowTitle(QStringLiteral("退出"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setFixedSize(kWidth, kHeight);
    scene.setSceneRect(0, 0, kWidth, kHeight);
    SetShadeAndFrame(scene);

    Label1 = new LabelControl;
    scene.addItem(Label1);
    Label1->Move(31, 40, 259, 84);
    Label1->SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->SetForeColor(QColor(255, 255, 192));
    QFont font(QStringLiteral("SimSun"));
    font.setPointSizeF(14.25);
    Label1->SetFont(font);
    imgOK = NewButton(c, scene, 76, c.resourceIds.DialogButtonIds[0]);
    imgCancel = NewButton(c, scene, 180, c.resourceIds.DialogButtonIds[2]);

    auto* view = new QGraphicsView(&scene, this);
    view->setGeometry(0, 0, kWidth, kHeight);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    imgOK->OnClick = [this, &c] { RunAfterClick(c, this, ShownNotice, frmOtherExit_imgOK_Click); };
    imgCancel->OnClick = [this, &c] { RunAfterClick(c, this, ShownNotice, frmOtherExit_imgCancel_Click); };
    c.table.MustLeaveTable = true;
}

TableClosedNotice::~TableClosedNotice() = default;

void ShowTableClosedNotice(Client& c, const QString& text) {
    if (!c.frmOtherExit) c.frmOtherExit = MakeWindow<TableClosedNotice>(c);
    TableClosedNotice& notice = *c.frmOtherExit;
    notice.Label1->SetCaption(text);
    const QRect table = c.mainForm->frameGeometry();
    const QSize own = notice.frameGeometry().size();
    notice.move(table.left() + (table.width() - own.width()) / 2, table.top() + (table.height() - own.height()) / 2);
    notice.show();
}

void frmOtherExit_imgOK_Click(Client& c) {
    ClearTableAfterLeaving(c);
    c.frmOtherExit.reset();
    HandBackToLobby(c, QStringLiteral("the table was closed and the lobby window is gone"));
}

void frmOtherExit_imgCancel_Click(Client& c) {
    c.table.MustLeaveTable = true;
    c.table.InGame = false;
    c.scheduler.WatchJobOn = false;
    c.frmOtherExit.reset();
}
