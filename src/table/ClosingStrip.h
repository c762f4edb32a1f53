#pragma once
#include "table/ClickLabel.h"

// A close area of a side window, such as the strip along its top edge: a
// click hides the window.
class ClosingStrip : public ClickLabel {
public:
    explicit ClosingStrip(QWidget* parent) : ClickLabel(parent) {
        OnClick = [this] { window()->hide(); };
    }
};
