#include "table/MainForm.h"
#include <QCloseEvent>

MainForm::MainForm() : Pic1(new QGraphicsView(&scene, this)) {
    setWindowTitle(QStringLiteral("Dravik麻将"));
    Pic1->setFrameShape(QFrame::NoFrame);
    Pic1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Pic1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Pic1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pic1->setBackgroundBrush(QColor(0, 96, 48));
    for (auto*& line : Sysmsg) {
        line = new QListWidget(Pic1);
        line->setFrameShape(QFrame::NoFrame);
        line->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        line->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        line->setStyleSheet(QStringLiteral("QListWidget { background: transparent; color: #ffff80; }"));
        line->hide();
    }
    Location = NewLabel();
    Label3 = NewLabel();
    Number = NewLabel();
    Zhuang = NewLabel();
    Time_Img = NewImage();
    Words = NewImage();
    Jokro = NewImage();
    Jokro_Image = NewImage();
    ZhiNan = NewImage();
    Host = NewImage();
    for (int i = 0; i < 2; ++i) Sai_Image.push_back(NewImage());
    for (int i = 0; i < 6; ++i) Chi.push_back(NewImage());
    for (int i = 0; i < 5; ++i) Gang.push_back(NewImage());
    SZ_Image.push_back(NewImage());
    Operation.push_back(NewImage());
}

MainForm::~MainForm() = default;

ImageControl* MainForm::NewImage() {
    auto* image = new ImageControl;
    image->setVisible(false);
    scene.addItem(image);
    return image;
}

LabelControl* MainForm::NewLabel() {
    auto* label = new LabelControl;
    label->setVisible(false);
    scene.addItem(label);
    return label;
}

void MainForm::Minimize() { setWindowState(windowState() | Qt::WindowMinimized); }

void MainForm::Restore() { setWindowState(windowState() & ~Qt::WindowMinimized); }

void MainForm::closeEvent(QCloseEvent* event) {
    if (OnUnload) OnUnload();
    event->accept();
}

void MainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && OnResize) OnResize();
}
