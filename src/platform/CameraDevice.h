#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// A source of the own camera's pictures, each delivered as one JPEG frame on
// the window thread.
class CameraDevice {
public:
    virtual ~CameraDevice() = default;
    // Starts delivering frames; false when there is no camera or it is in use.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
    // The format value the peers are told: what the frames are.
    virtual QByteArray Format() const = 0;
    // The own account, which a generated picture shows.
    virtual void SetAccount(const QString& account) = 0;

    std::function<void(const QByteArray& frame)> OnFrame;
};

