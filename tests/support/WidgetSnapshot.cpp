#include "support/WidgetSnapshot.h"
#include "table/TableSurface.h"
#include "video/CaptureControl.h"
#include "video/VideoView.h"
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

QStringList TextsOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return {label->text()};
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return {edit->text()};
    QStringList texts;
    if (const auto* list = qobject_cast<const QListWidget*>(&widget))
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

QPixmap PictureOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->pixmap();
    if (const auto* surface = qobject_cast<const TableSurface*>(&widget)) return surface->Picture();
    return {};
}

void SetTextsAndPicture(QWidget& widget, const QStringList& texts, const QPixmap& picture) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        if (label->text() == texts.value(0) && label->pixmap().cacheKey() == picture.cacheKey()) return;
        label->clear();
        if (!picture.isNull())
            label->setPixmap(picture);
        else
            label->setText(texts.value(0));
    } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        if (edit->text() != texts.value(0)) edit->setText(texts.value(0));
    } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        if (SameTexts(*list, texts)) return;
        list->clear();
        list->addItems(texts);
    } else if (auto* surface = qobject_cast<TableSurface*>(&widget)) {
        if (surface->Picture().cacheKey() != picture.cacheKey()) surface->SetPicture(picture);
    }
}

// The switches and settings the video placeholders keep.
std::vector<int> SwitchesOf(const QWidget& widget) {
    if (const auto* view = dynamic_cast<const VideoView*>(&widget)) return {view->DisplaySwitchB};
    if (const auto* camera = dynamic_cast<const CaptureControl*>(&widget))
        return {camera->CaptureSwitchA, camera->CaptureSwitchB, camera->CaptureSwitchC, camera->CaptureMode,
                camera->Opened,         camera->Capturing,      camera->StartResult};
    return {};
}

void SetSwitches(QWidget& widget, const std::vector<int>& switches) {
    if (auto* view = dynamic_cast<VideoView*>(&widget)) {
        view->DisplaySwitchB = switches.at(0);
    } else if (auto* camera = dynamic_cast<CaptureControl*>(&widget)) {
        camera->CaptureSwitchA = switches.at(0);
        camera->CaptureSwitchB = switches.at(1);
        camera->CaptureSwitchC = switches.at(2);
        camera->CaptureMode = static_cast<int16_t>(switches.at(3));
        camera->Opened = switches.at(4);
        camera->Capturing = switches.at(5);
        camera->StartResult = switches.at(6);
    }
}
}  // namespace

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
    return {&widget,        widget.geometry(),     widget.isHidden(),  widget.isEnabled(),  widget.windowState(),
            widget.windowTitle(), widget.toolTip(), widget.font(),     CursorOf(widget),    TextsOf(widget),
            PictureOf(widget),    ChildControls(widget), SwitchesOf(widget)};
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
    SetTextsAndPicture(widget, s.texts, s.picture);
    if (!StackedAs(widget, s.stacking)) Restack(widget, s.stacking);
    SetSwitches(widget, s.switches);
}
