#include "results/BoardWindow.h"
#include "table/pictures/SideWindowPictures.h"
#include <QMouseEvent>
#include <QPainter>

namespace {
class CloseArea : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        window()->hide();
    }
};

// The score lines line up by columns: a face whose Chinese characters are
// twice as wide as its Latin ones, blanks included.
QFont ListFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    return font;
}
}  // namespace

BoardWindow::BoardWindow(const QString& caption, const QImage& background, bool draggable)
    : background_(background), draggable_(draggable) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFixedSize(background.size());
}

QLabel* BoardWindow::AddLabel(const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    return label;
}

QListWidget* BoardWindow::AddList(const QRect& geometry) {
    auto* list = new QListWidget(this);
    list->setGeometry(geometry);
    list->setFont(ListFont());
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QLabel* BoardWindow::AddCloseArea(const QRect& geometry, int kind) {
    auto* area = new CloseArea(this);
    area->setGeometry(geometry);
    area->setPixmap(QPixmap::fromImage(DrawCloseArea(kind, geometry.size())));
    area->setCursor(Qt::PointingHandCursor);
    return area;
}

void BoardWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    if (draggable_) grip_ = event->globalPosition().toPoint() - pos();
}

void BoardWindow::mouseMoveEvent(QMouseEvent* event) {
    if (grip_) move(event->globalPosition().toPoint() - *grip_);
}

void BoardWindow::mouseReleaseEvent(QMouseEvent*) { grip_.reset(); }
