#pragma once
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

// A window and its windowed controls as they were at one moment (geometry,
// visibility, window state, texts, pictures, stacking, the video
// placeholders' switches), so that they can be put back. The window must keep
// the controls it had: one created or destroyed since the snapshot makes
// Restore throw std::logic_error.
class WidgetSnapshot {
public:
    explicit WidgetSnapshot(QWidget& window);
    void Restore() const;

    enum class Kind { Plain, Label, LineEdit, List, Surface, VideoView, Camera };

private:
    struct Control {
        QPointer<QWidget> widget;
        Kind kind;
        QRect geometry;
        bool hidden, enabled;
        Qt::WindowStates windowState;
        QString windowTitle, toolTip;
        QFont font;
        std::optional<Qt::CursorShape> cursor;
        // Labels, lists and line edits: their text; labels and the table surface: their picture.
        QStringList texts;
        QPixmap picture;
        // The control's own windowed children, lowest first.
        std::vector<QWidget*> stacking;
        // The video placeholders' switches and settings.
        std::vector<int> switches;
    };

    static Control Take(QWidget& widget);
    static void Put(const Control& control);
    static void TakeContents(Control& control);
    static void PutContents(const Control& control);

    std::vector<Control> controls_;  // the window first
};
