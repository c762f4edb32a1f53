#include "support/SceneSnapshot.h"
#include "table/Controls.h"
#include <QCursor>
#include <QGraphicsScene>
#include <stdexcept>

namespace {
std::optional<Qt::CursorShape> CursorOf(const QGraphicsItem& item) {
    if (!item.hasCursor()) return std::nullopt;
    return item.cursor().shape();
}

[[noreturn]] void ControlsChanged() { throw std::logic_error("the scene has gained or lost controls since its snapshot"); }
}  // namespace

SceneSnapshot::SceneSnapshot(QGraphicsScene& scene) : scene_(scene) {
    for (QGraphicsItem* item : scene.items()) {
        QGraphicsObject* control = item->toGraphicsObject();
        if (!control) throw std::logic_error("a scene snapshot holds controls only");
        controls_.push_back(Take(*control));
    }
    for (const QByteArray& name : scene.dynamicPropertyNames()) properties_.emplace_back(name, scene.property(name));
}

// With every control of the snapshot still there, an equal count means no control was added.
void SceneSnapshot::Restore() const {
    for (const Control& control : controls_)
        if (!control.item || control.item->scene() != &scene_) ControlsChanged();
    if (scene_.items().size() != qsizetype(controls_.size())) ControlsChanged();
    for (const Control& control : controls_) Put(control);
    for (const QByteArray& name : scene_.dynamicPropertyNames()) scene_.setProperty(name, QVariant());
    for (const auto& [name, value] : properties_) scene_.setProperty(name, value);
}

SceneSnapshot::Control SceneSnapshot::Take(QGraphicsObject& item) {
    Control s;
    s.item = &item;
    s.pos = item.pos();
    s.z = item.zValue();
    s.visible = item.isVisible();
    s.enabled = item.isEnabled();
    s.acceptsHover = item.acceptHoverEvents();
    s.toolTip = item.toolTip();
    s.cursor = CursorOf(item);
    s.kind = Kind::Other;
    if (const auto* image = dynamic_cast<const ImageControl*>(&item)) {
        s.kind = Kind::Image;
        s.width = image->Width();
        s.height = image->Height();
        s.picture = image->Picture();
        s.stretch = image->Stretch();
        s.mousePointer = image->MousePointer();
    } else if (const auto* label = dynamic_cast<const LabelControl*>(&item)) {
        s.kind = Kind::Label;
        s.width = label->Width();
        s.height = label->Height();
        s.caption = label->Caption();
        s.font = label->Font();
        s.color = label->ForeColor();
        s.alignment = label->Alignment();
    }
    return s;
}

// Only what differs is set again, so that a restore costs little when an input changed little.
void SceneSnapshot::Put(const Control& s) {
    QGraphicsObject& item = *s.item;
    if (s.kind == Kind::Image) {
        auto* image = static_cast<ImageControl*>(&item);
        if (image->Stretch() != s.stretch) image->SetStretch(s.stretch);
        if (image->Picture().cacheKey() != s.picture.cacheKey()) image->SetPicture(s.picture);
        if (image->Width() != s.width || image->Height() != s.height)
            image->Move(s.pos.x(), s.pos.y(), s.width, s.height);
        if (image->MousePointer() != s.mousePointer) image->SetMousePointer(s.mousePointer);
    } else if (s.kind == Kind::Label) {
        auto* label = static_cast<LabelControl*>(&item);
        if (label->Width() != s.width || label->Height() != s.height)
            label->Move(s.pos.x(), s.pos.y(), s.width, s.height);
        if (label->Caption() != s.caption) label->SetCaption(s.caption);
        if (label->Font() != s.font) label->SetFont(s.font);
        if (label->ForeColor() != s.color) label->SetForeColor(s.color);
        if (label->Alignment() != s.alignment) label->SetAlignment(s.alignment);
    }
    if (item.pos() != s.pos) item.setPos(s.pos);
    if (item.zValue() != s.z) item.setZValue(s.z);
    if (item.isVisible() != s.visible) item.setVisible(s.visible);
    if (item.isEnabled() != s.enabled) item.setEnabled(s.enabled);
    if (item.acceptHoverEvents() != s.acceptsHover) item.setAcceptHoverEvents(s.acceptsHover);
    if (item.toolTip() != s.toolTip) item.setToolTip(s.toolTip);
    if (CursorOf(item) == s.cursor) return;
    if (s.cursor)
        item.setCursor(*s.cursor);
    else
        item.unsetCursor();
}
