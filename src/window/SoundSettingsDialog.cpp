#include "window/SoundSettingsDialog.h"
#include "shared/Client.h"

// Placeholder until the sound settings are built: an empty window.
SoundSettingsDialog::SoundSettingsDialog(Client&) {}
