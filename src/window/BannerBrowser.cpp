#include "window/BannerBrowser.h"
#include "shared/Client.h"

// Placeholder until the banner shows pages.
void ConnectBannerEvents(Client&) {}
