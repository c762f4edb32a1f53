#include "video/VideoCommands.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "video/MusicBox.h"
#include "video/PhotoAlbum.h"
#include "video/VideoPanels.h"
#include "video/VideoWindow.h"
#include "table/Ticker.h"

namespace {
// The commands by an icon's place on its bar.
enum Place { First = 0, Zoom = 1, Photo = 2, Fourth = 3 };
constexpr int kLastCommandIcon = 14;

void OpenPhotoAlbum(Client& c) { c.platform.shell->Open(PhotoFolder(c)); }

void TakePhoto(Client& c, int seat) {
    if (SavePhoto(c, c.video.LastVideoFrame[size_t(seat)])) ShowPhotoSavedMessage(c);
}

// Only the open-video icon stays; the peer link and its frames are left alone.
void SwitchVideoOff(Client& c, int seat) {
    if (c.video.VideoBlocked[size_t(seat)]) return;
    c.video.VideoBlocked[size_t(seat)] = true;
    HideSeatPanel(c, seat);
    // Hidden, not unloaded: the next zoom shows it again.
    if (VideoWindowShown(c, seat)) VideoWindowOf(c, seat).hide();
    c.mainForm->ImgShow[seat]->setVisible(true);
}
}  // namespace

void MainForm_ImCmd_Click(Client& c, int index) {
    if (index < 0 || index > kLastCommandIcon) return;
    const int seat = index / 4;
    switch (index % 4) {
    case First:
        if (seat == 0)
            OpenPhotoAlbum(c);
        else
            SwitchVideoOff(c, seat);
        break;
    case Zoom: ZoomVideoWindow(c, seat); break;
    case Photo: TakePhoto(c, seat); break;
    case Fourth:
        if (seat == 0) OpenMusicBox(c);
        break;
    default: break;
    }
}

void ShowPhotoSavedMessage(Client& c) { AddSystemMessage(c, QStringLiteral("照相成功,照片保存在本机相册中。")); }
