#pragma once
#include <QObject>
#include <QString>
#include <cstdint>

// Window messages between separate programs. A window with a caption exists
// while an endpoint of that caption listens; every message is one frame.
class LobbyLink : public QObject {
    Q_OBJECT
public:
    // True when a window with this caption exists.
    virtual bool FindWindow(const QString& caption) = 0;
    // Sends (or posts) one message to the window with this caption; false
    // when no such window exists. Both write the same frame.
    virtual bool SendMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) = 0;
    virtual bool PostMessage(const QString& caption, uint32_t msg, uint32_t wParam, uint32_t lParam) = 0;
    // Makes this program's window reachable under the caption; false on failure.
    virtual bool Listen(const QString& caption) = 0;
    virtual void StopListening() = 0;

signals:
    void MessageReceived(uint32_t msg, uint32_t wParam, uint32_t lParam);
};

namespace WindowMessage {
constexpr uint32_t WM_CLOSE = 0x10;
constexpr uint32_t WM_SYSCOMMAND = 0x112;
constexpr uint32_t SC_MINIMIZE = 0xF020;
constexpr uint32_t SC_RESTORE = 0xF120;
}  // namespace WindowMessage
