#include "window/SkinFrame.h"

// Placeholder until the skinned frame is drawn: the window keeps the system frame.
void PaintSkinFrame(Client&) {}

// Placeholder until the caption buttons are built.
void ConnectFrameEvents(Client&) {}
