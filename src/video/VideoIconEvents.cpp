#include "video/VideoIconEvents.h"
#include "shared/Client.h"
#include "table/ClickGesture.h"
#include "table/MainForm.h"
#include "video/VideoCommands.h"
#include "video/VideoIconHover.h"
#include <QMouseEvent>
#include <algorithm>

namespace {
template <typename Widget>
int IndexOf(const std::vector<Widget*>& widgets, const QObject* object) {
    const auto found = std::find(widgets.begin(), widgets.end(), object);
    return found == widgets.end() ? -1 : int(found - widgets.begin());
}

// Takes the icons' and bars' mouse events, so that a move over an icon does not
// also reach its bar (which would put the icon's picture back at once) or the table.
class VideoIconFilter : public QObject {
public:
    VideoIconFilter(Client& c, QObject* parent) : QObject(parent), c_(c) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only mouse events are looked at: the others include those of the
        // table window's destruction, when its control arrays are already gone.
        if (!IsMouseEvent(event->type())) return false;
        const MainForm& f = *c_.mainForm;
        const int icon = IndexOf(f.ImCmd, watched);
        const int bar = IndexOf(f.PicLocal, watched);
        switch (event->type()) {
        case QEvent::MouseMove:
            if (icon >= 0)
                MainForm_ImCmd_MouseMove(c_, icon);
            else if (bar >= 0)
                MainForm_PicLocal_MouseMove(c_, bar);
            else
                return false;
            break;
        // The icon takes the press, so that the release comes back to it.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (icon < 0) return false;
            click_.Press(event->type(), static_cast<const QMouseEvent&>(*event).button());
            break;
        case QEvent::MouseButtonRelease: {
            if (icon < 0) return false;
            const auto& release = static_cast<const QMouseEvent&>(*event);
            if (click_.Release(release.button(), f.ImCmd[icon]->rect().contains(release.position().toPoint())))
                ClickLater(icon);
            break;
        }
        default: return false;
        }
        event->accept();
        return true;
    }

private:
    static bool IsMouseEvent(QEvent::Type type) {
        return type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
               type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease;
    }

    // The command runs once the click's event is over: the music box's message
    // box runs the event loop, and no command should run inside the icon's event.
    void ClickLater(int index) {
        Client* client = &c_;
        QMetaObject::invokeMethod(
            c_.mainForm.get(), [client, index] { MainForm_ImCmd_Click(*client, index); }, Qt::QueuedConnection);
    }

    Client& c_;
    ClickGesture click_;
};
}  // namespace

void InitVideoIcons(Client& c) {
    ShowNormalVideoIcons(c);
    MainForm& f = *c.mainForm;
    auto* filter = new VideoIconFilter(c, &f);
    for (QLabel* icon : f.ImCmd) {
        icon->setMouseTracking(true);
        icon->installEventFilter(filter);
    }
    for (QLabel* bar : f.PicLocal) {
        bar->setMouseTracking(true);
        bar->installEventFilter(filter);
    }
}
