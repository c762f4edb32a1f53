#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <utility>
#include <optional>
#include <vector>

class QGraphicsObject;
class QGraphicsScene;

// The controls of a scene as they were at one moment (place, size, stacking,
// visibility, picture, caption, pointer), and what the scene keeps about them
// in its own properties, so that they can be put back. The
// scene must keep the controls it had: one created or destroyed since the
// snapshot makes Restore throw std::logic_error.
class SceneSnapshot {
public:
    explicit SceneSnapshot(QGraphicsScene& scene);
    void Restore() const;

private:
    enum class Kind { Other, Image, Label };
    struct Control {
        QPointer<QGraphicsObject> item;
        Kind kind;
        QPointF pos;
        double z;
        bool visible, enabled, acceptsHover;
        QString toolTip;
        std::optional<Qt::CursorShape> cursor;
        double width = 0, height = 0;
        // Image controls only.
        QPixmap picture;
        bool stretch = false;
        int mousePointer = 0;
        // Labels only.
        QString caption;
        QFont font;
        QColor color;
        Qt::Alignment alignment;
    };

    static Control Take(QGraphicsObject& item);
    static void Put(const Control& control);

    QGraphicsScene& scene_;
    std::vector<Control> controls_;
    std::vector<std::pair<QByteArray, QVariant>> properties_;
};
