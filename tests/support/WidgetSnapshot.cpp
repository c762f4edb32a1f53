#include "support/WidgetSnapshot.h"
#include "table/TableSurface.h"
#include "platform/CaptureControl.h"
#include "platform/VideoView.h"
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <stdexcept>

namespace {
std::optional<Qt::CursorShape> CursorOf(const QWidget& widget) {
    if (!widget.testAttribute(Qt::WA_SetCursor)) return std::nullopt;
    return widget.cursor().shape();
}

// Windowed controls of our own, not the parts a widget builds inside itself
// (a list's viewport and scroll bars), which Qt names "qt_...".
bool IsControl(const QObject& object) {
    return object.isWidgetType() && !object.objectName().startsWith(QLatin1String("qt_"));
}

std::vector<QWidget*> ChildControls(const QWidget& widget) {
    std::vector<QWidget*> controls;
    for (QObject* child : widget.children())
        if (IsControl(*child)) controls.push_back(static_cast<QWidget*>(child));
    return controls;
}

// True when the widget's own windowed children are `stacking`, in this order.
bool StackedAs(const QWidget& widget, const std::vector<QWidget*>& stacking) {
    size_t i = 0;
    for (const QObject* child : widget.children())
        if (IsControl(*child) && (i == stacking.size() || stacking[i++] != child)) return false;
    return i == stacking.size();
}

[[noreturn]] void ControlsChanged() { throw std::logic_error("the window has gained or lost controls since its snapshot"); }

// The children are the same controls in another order: they are raised in the snapshot's order.
void Restack(const QWidget& widget, const std::vector<QWidget*>& stacking) {
    std::vector<QWidget*> now = ChildControls(widget);
    std::vector<QWidget*> before = stacking;
    std::sort(now.begin(), now.end());
    std::sort(before.begin(), before.end());
    if (now != before) ControlsChanged();
    for (QWidget* child : stacking) child->raise();
}

// The window, then its controls level by level.
std::vector<QWidget*> ControlsOf(QWidget& window) {
    std::vector<QWidget*> controls{&window};
    for (size_t i = 0; i < controls.size(); ++i)
        for (QWidget* child : ChildControls(*controls[i])) controls.push_back(child);
    return controls;
}

// A layout places its widgets itself.
bool PlacedByLayout(const QWidget& widget) {
    return widget.parentWidget() && widget.parentWidget()->layout() && !widget.isWindow();
}

bool SameTexts(const QListWidget& list, const QStringList& texts) {
    if (list.count() != texts.size()) return false;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text() != texts[i]) return false;
    return true;
}

// Which of its kinds' contents a control keeps; found once, at the snapshot.
WidgetSnapshot::Kind KindOf(const QWidget& widget) {
    using Kind = WidgetSnapshot::Kind;
    if (qobject_cast<const QLabel*>(&widget)) return Kind::Label;
    if (qobject_cast<const QLineEdit*>(&widget)) return Kind::LineEdit;
    if (qobject_cast<const QListWidget*>(&widget)) return Kind::List;
    if (qobject_cast<const TableSurface*>(&widget)) return Kind::Surface;
    if (dynamic_cast<const VideoView*>(&widget)) return Kind::VideoView;
    if (dynamic_cast<const CaptureControl*>(&widget)) return Kind::Camera;
    return Kind::Plain;
}
}  // namespace

void WidgetSnapshot::TakeContents(Control& s) {
    const QWidget& widget = *s.widget;
    switch (s.kind) {
    case Kind::Label:
        s.texts = {static_cast<const QLabel&>(widget).text()};
        s.picture = static_cast<const QLabel&>(widget).pixmap();
        break;
    case Kind::LineEdit: s.texts = {static_cast<const QLineEdit&>(widget).text()}; break;
    case Kind::List: {
        const auto& list = static_cast<const QListWidget&>(widget);
        for (int i = 0; i < list.count(); ++i) s.texts << list.item(i)->text();
        break;
    }
    case Kind::Surface: s.picture = static_cast<const TableSurface&>(widget).Picture(); break;
    case Kind::VideoView: s.switches = {static_cast<const VideoView&>(widget).DisplaySwitchB}; break;
    case Kind::Camera: {
        const auto& camera = static_cast<const CaptureControl&>(widget);
        s.switches = {camera.CaptureSwitchA, camera.CaptureSwitchB, camera.CaptureSwitchC, camera.CaptureMode,
                      camera.Opened(),       camera.Capturing()};
        break;
    }
    case Kind::Plain: break;
    }
}

void WidgetSnapshot::PutContents(const Control& s) {
    QWidget& widget = *s.widget;
    switch (s.kind) {
    case Kind::Label: {
        auto& label = static_cast<QLabel&>(widget);
        if (label.text() == s.texts.value(0) && label.pixmap().cacheKey() == s.picture.cacheKey()) break;
        label.clear();
        if (!s.picture.isNull())
            label.setPixmap(s.picture);
        else
            label.setText(s.texts.value(0));
        break;
    }
    case Kind::LineEdit: {
        auto& edit = static_cast<QLineEdit&>(widget);
        if (edit.text() != s.texts.value(0)) edit.setText(s.texts.value(0));
        break;
    }
    case Kind::List: {
        auto& list = static_cast<QListWidget&>(widget);
        if (SameTexts(list, s.texts)) break;
        list.clear();
        list.addItems(s.texts);
        break;
    }
    case Kind::Surface: {
        auto& surface = static_cast<TableSurface&>(widget);
        if (surface.Picture().cacheKey() != s.picture.cacheKey()) surface.SetPicture(s.picture);
        break;
    }
    case Kind::VideoView: static_cast<VideoView&>(widget).DisplaySwitchB = s.switches.at(0); break;
    case Kind::Camera: {
        auto& camera = static_cast<CaptureControl&>(widget);
        camera.CaptureSwitchA = s.switches.at(0);
        camera.CaptureSwitchB = s.switches.at(1);
        camera.CaptureSwitchC = s.switches.at(2);
        camera.CaptureMode = static_cast<int16_t>(s.switches.at(3));
        // The camera double of the restored client answers starts as it did at the snapshot.
        if (s.switches.at(4)) camera.OpenCapture();
        if (s.switches.at(5)) camera.StartCapture();
        else if (s.switches.at(4)) camera.StopCapture();
        else camera.CloseCapture();
        break;
    }
    case Kind::Plain: break;
    }
}

WidgetSnapshot::WidgetSnapshot(QWidget& window) {
    for (QWidget* widget : ControlsOf(window)) controls_.push_back(Take(*widget));
}

// With every control of the snapshot still there, each one's children show whether a control was added.
void WidgetSnapshot::Restore() const {
    for (const Control& control : controls_)
        if (!control.widget) ControlsChanged();
    for (const Control& control : controls_) Put(control);
}

WidgetSnapshot::Control WidgetSnapshot::Take(QWidget& widget) {
    Control s{&widget,          KindOf(widget),       widget.geometry(), widget.isHidden(), widget.isEnabled(),
              widget.windowState(), widget.windowTitle(), widget.toolTip(),  widget.font(),     CursorOf(widget),
              {},                   {},                   ChildControls(widget), {}};
    TakeContents(s);
    return s;
}

// Only what differs is set again, so that a restore costs little when an input changed little.
void WidgetSnapshot::Put(const Control& s) {
    QWidget& widget = *s.widget;
    if (widget.windowState() != s.windowState) widget.setWindowState(s.windowState);
    if (widget.geometry() != s.geometry && !PlacedByLayout(widget)) widget.setGeometry(s.geometry);
    if (widget.isHidden() != s.hidden) widget.setHidden(s.hidden);
    if (widget.isEnabled() != s.enabled) widget.setEnabled(s.enabled);
    if (widget.windowTitle() != s.windowTitle) widget.setWindowTitle(s.windowTitle);
    if (widget.toolTip() != s.toolTip) widget.setToolTip(s.toolTip);
    if (widget.font() != s.font) widget.setFont(s.font);
    if (CursorOf(widget) != s.cursor) {
        if (s.cursor)
            widget.setCursor(*s.cursor);
        else
            widget.unsetCursor();
    }
    PutContents(s);
    if (!StackedAs(widget, s.stacking)) Restack(widget, s.stacking);
}
