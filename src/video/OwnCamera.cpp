#include "video/OwnCamera.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/WidgetPlace.h"
#include "platform/CaptureControl.h"
#include "table/Ticker.h"

void StartOwnCamera(Client& c, bool barOverCamera) {
    MainForm& f = *c.mainForm;
    CaptureControl& camera = *f.vcap1;
    camera.hide();
    c.platform.camera->SetAccount(c.seatInfo[0].Account);
    camera.OpenCapture();
    const ImageControl& portrait = *f.Tou[0];
    PlaceWidget(camera, portrait.Left(), portrait.Top() - 2 * c.table.ScaleY, portrait.Width(),
                portrait.Height() - 7 * c.table.ScaleX);
    camera.CaptureSwitchA = true;
    camera.CaptureSwitchB = true;
    camera.CaptureMode = 2;
    camera.CaptureSwitchC = false;
    c.video.CaptureOn = camera.StartCapture() == 0;
    if (!c.video.CaptureOn) {
        camera.hide();
        AddSystemMessage(c, QStringLiteral("您没有视频设备或您的视频源正在使用。"));
        return;
    }
    f.PicLocal[0]->show();
    camera.show();
    camera.raise();
    if (barOverCamera) f.PicLocal[0]->raise();
}
