#include "platform/CameraDevice.h"

namespace {
// Least device until the cameras exist: a machine without a camera.
class NoCamera : public CameraDevice {
public:
    bool Start() override { return false; }
    void Stop() override {}
    QByteArray Format() const override { return {}; }
    void SetAccount(const QString&) override {}
};
}  // namespace

std::unique_ptr<CameraDevice> OpenCameraDevice() { return std::make_unique<NoCamera>(); }
