#pragma once
#include "platform/CameraDevice.h"
#include <memory>

// The machine's camera through Qt Multimedia; with DRAVIK_TEST_CAMERA=1 a
// generated test picture instead. Without a camera Start fails.
std::unique_ptr<CameraDevice> OpenCameraDevice();
