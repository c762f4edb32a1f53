#pragma once
#include "table/pictures/LazyPicture.h"
#include <QLabel>

// A label that shows a picture drawn when the label is first shown.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    PictureLabel(const LazyPicture& picture, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    LazyPicture picture_;
};
