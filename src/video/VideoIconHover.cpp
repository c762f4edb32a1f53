#include "video/VideoIconHover.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/WidgetPlace.h"

namespace {
constexpr int kIconCount = 16;
// The album icon's pictures are fixed ids outside the table.
constexpr int kAlbumPicture = 860, kAlbumPictureLit = 861;

struct PictureEntries {
    int normal, lit;
};
// Entries of VideoIconIds by bar (own, remote) and place on the bar; the own
// bar's first icon is the album.
constexpr PictureEntries kBarPictures[2][4] = {{{0, 0}, {1, 5}, {2, 6}, {3, 7}}, {{0, 4}, {1, 5}, {2, 6}, {8, 9}}};

const char16_t* const kToolTips[] = {u"像册", u"放大", u"拍照", u"音乐盒子"};
// In design units; the music box's name is twice as long.
constexpr double kToolTipWidth = 28, kMusicBoxToolTipWidth = 54, kToolTipDrop = 10;

// The order in which lit icons are put back.
constexpr int kRestoreOrder[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 13, 14, 7, 11, 15};

void ShowIconPicture(Client& c, int index, bool highlighted) {
    // An id without a picture leaves the icon as it is.
    const QPixmap picture = PictureOfResource(VideoIconPictureId(c, index, highlighted));
    if (!picture.isNull()) c.mainForm->ImCmd[index]->setPixmap(picture);
}

void ShowToolTip(Client& c, int index) {
    MainForm& f = *c.mainForm;
    const QWidget& bar = *f.PicLocal[0];
    const QWidget& icon = *f.ImCmd[index];
    const double width = index == 3 ? kMusicBoxToolTipWidth : kToolTipWidth;
    f.Tiplbl->setText(QString::fromUtf16(kToolTips[index]));
    // Beside the icon's right edge; the icon's place is relative to its bar.
    PlaceWidget(*f.Tiplbl, bar.x() + icon.x() + icon.width(), bar.y() + kToolTipDrop * c.table.ScaleY,
                width * c.table.ScaleX, f.Tiplbl->height());
    f.Tiplbl->show();
    f.Tiplbl->raise();
}
}  // namespace

int VideoIconPictureId(const Client& c, int index, bool highlighted) {
    if (index == 0) return highlighted ? kAlbumPictureLit : kAlbumPicture;
    const PictureEntries& entries = kBarPictures[index < 4 ? 0 : 1][index % 4];
    return c.resourceIds.VideoIconIds[size_t(highlighted ? entries.lit : entries.normal)];
}

void ShowNormalVideoIcons(Client& c) {
    for (int i = 0; i < kIconCount; ++i) ShowIconPicture(c, i, false);
}

void MainForm_ImCmd_MouseMove(Client& c, int index) {
    if (index < 0 || index >= kIconCount) return;
    // Moves come many times a second: the picture is given once per highlight.
    if (!c.video.IconHover[size_t(index)]) {
        c.video.IconHover[size_t(index)] = true;
        ShowIconPicture(c, index, true);
    }
    if (index < 4) ShowToolTip(c, index);
}

void MainForm_PicLocal_MouseMove(Client& c, int) {
    c.mainForm->Tiplbl->hide();
    for (int i : kRestoreOrder) {
        if (!c.video.IconHover[size_t(i)]) continue;
        c.video.IconHover[size_t(i)] = false;
        ShowIconPicture(c, i, false);
    }
}
