#include "table/PictureLabel.h"

PictureLabel::PictureLabel(const LazyPicture& picture, QWidget* parent) : QLabel(parent), picture_(picture) {}

void PictureLabel::showEvent(QShowEvent* event) {
    if (pixmap().isNull()) setPixmap(picture_.Pixmap());
    QLabel::showEvent(event);
}
