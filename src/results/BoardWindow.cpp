#include "results/BoardWindow.h"
#include "table/pictures/SideWindowPictures.h"
#include "table/ClosingStrip.h"
#include "table/SideWindows.h"
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
// The list lines stand 12 pixels apart, as close as the font allows, so
// that a settled hand fits its list.
class TightLines : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 12};
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

BoardWindow::BoardWindow(const QString& caption, QSize size, std::function<QImage()> drawBackground,
                         const QColor& labelColor, bool draggable)
    : drawBackground_(std::move(drawBackground)), labelColor_(labelColor), draggable_(draggable) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFixedSize(size);
}

QLabel* BoardWindow::AddLabel(const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    SetForeColor(*label, labelColor_);
    return label;
}

QListWidget* BoardWindow::AddList(const QRect& geometry) {
    auto* list = new QListWidget(this);
    list->setGeometry(geometry);
    list->setFont(ListFont());
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Long lines are cut at the edge, not shortened with an ellipsis.
    list->setTextElideMode(Qt::ElideNone);
    list->setItemDelegate(new TightLines(list));
    return list;
}

QLabel* BoardWindow::AddImage(const QRect& geometry) {
    auto* image = new QLabel(this);
    image->setGeometry(geometry);
    image->setScaledContents(true);
    return image;
}

QLabel* BoardWindow::AddCloseArea(const QRect& geometry, int kind) {
    auto* area = new ClosingStrip(this);
    area->setGeometry(geometry);
    area->setPixmap(QPixmap::fromImage(DrawCloseArea(kind, geometry.size())));
    area->setCursor(Qt::PointingHandCursor);
    return area;
}

void BoardWindow::paintEvent(QPaintEvent*) {
    if (background_.isNull()) background_ = drawBackground_();
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    if (draggable_) drag_.Press(*this, *event);
}

void BoardWindow::mouseMoveEvent(QMouseEvent* event) { drag_.Move(*this, *event); }

void BoardWindow::mouseReleaseEvent(QMouseEvent* event) { drag_.Release(*event); }
