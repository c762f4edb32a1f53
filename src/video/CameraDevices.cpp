#include "video/CameraDevices.h"
#include "platform/QtCameraDevice.h"
#include "video/TestPictureCamera.h"

std::unique_ptr<CameraDevice> OpenCameraDevice() {
    // Only an explicit request gives the test card, so no user sends a fake picture by accident.
    if (qEnvironmentVariable("DRAVIK_TEST_CAMERA") == QLatin1String("1")) return std::make_unique<TestPictureCamera>();
    return std::make_unique<QtCameraDevice>();
}
