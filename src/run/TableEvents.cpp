#include "run/TableEvents.h"
#include "play/HandEvents.h"
#include "results/InformationWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "video/FrameExchange.h"
#include "video/OwnCamera.h"
#include "video/VideoIconEvents.h"
#include "window/BannerBrowser.h"
#include "table/BannerView.h"
#include "window/ButtonRow.h"
#include "window/ChatInput.h"
#include "window/KeyHandler.h"
#include "window/SkinFrame.h"
#include "window/SmallTable.h"

void ConnectTableEvents(Client& c) {
    MainForm& f = *c.mainForm;
    // The camera's device work waits until the window is up and listens for
    // the lobby; the ticker line about a missing camera still comes next.
    QMetaObject::invokeMethod(&f, [&c] { StartOwnCamera(c, true); }, Qt::QueuedConnection);
    ConnectHandPlayEvents(c);
    ConnectButtonRowEvents(c);
    ConnectVideoViewEvents(c);
    ConnectVideoEvents(c);
    ConnectFrameEvents(c);
    ConnectKeyEvents(c);
    ConnectSmallTableEvents(c);
    ConnectChatEvents(c);
    ConnectBannerEvents(c);
    InitVideoIcons(c);
}
