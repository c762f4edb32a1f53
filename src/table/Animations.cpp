#include "table/Animations.h"
#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/Sound.h"
#include <algorithm>

namespace {
constexpr int kNorth = 0x14;
// Dice picture holders: 0 to 5 the faces one to six, 6 to 15 tumbling dice.
constexpr int16_t kFirstTumblingFrame = 6;
constexpr int kTumblingFrames = 10;

constexpr int kWindDrawSound = 3;
constexpr int kWallSound = 4;
constexpr int kDiceSound = 5;

void PlayEffect(Client& c, int wave) {
    if (c.sound.EffectSoundOn) PlaySoundFile(c, c.sound.WavePath[wave], false);
}

// Copying the picture already loaded into a wall's first stack saves reading
// the resource again for each of the other 128 tiles.
void CopyTilePicture(Client& c, int to, int from) {
    ImageControl& tile = TileImage(c, to);
    tile.SetPicture(TileImage(c, from).Picture());
    c.table.TileImagePictures[to] = c.table.TileImagePictures[from];
    tile.setVisible(true);
}

void ShowDiceFrame(Client& c, int die, int16_t frame) {
    MainForm& f = *c.mainForm;
    f.Sai_Image[die]->SetPicture(CheckedAt(f.SZ_Image, frame, "SZ_Image")->Picture());
    c.table.DiceFrames[die] = frame;
}

// A die outside 1 to 6 still shows a face; the caller's value is left for its own arithmetic.
int16_t FaceFrame(int16_t die) { return static_cast<int16_t>(std::clamp<int16_t>(die, 1, 6) - 1); }

int16_t TumblingFrame(Client& c) {
    return static_cast<int16_t>(kFirstTumblingFrame + c.table.Random.bounded(kTumblingFrames));
}

// One throw of both dice: dice[first] and dice[first + 1] are the faces it ends on.
void Throw(Client& c, std::array<int16_t, 4>& dice, int first) {
    MainForm& f = *c.mainForm;
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    PlayEffect(c, kDiceSound);
    for (int i = first; i < first + 2; ++i)
        if (dice[i] == 0) dice[i] = 1;
    f.Sai_Image[0]->Move(float(400 * sx), float(284 * sy));
    f.Sai_Image[1]->Move(float(560 * sx), float(284 * sy));
    for (auto* die : f.Sai_Image) die->setVisible(true);
    const int lastFrame = 20 + c.table.Random.bounded(5);
    for (int frame = 0; frame <= lastFrame; ++frame) {
        ShowDiceFrame(c, 0, TumblingFrame(c));
        ShowDiceFrame(c, 1, TumblingFrame(c));
        if (frame == lastFrame) {
            ShowDiceFrame(c, 0, FaceFrame(dice[first]));
            ShowDiceFrame(c, 1, FaceFrame(dice[first + 1]));
        }
        WaitSeconds(c, 0.002);
    }
    SleepSeconds(c, 0.6);
    for (auto* die : f.Sai_Image) die->setVisible(false);
}
}  // namespace

void ShowWindDraw(Client& c, int16_t wind) {
    MainForm& f = *c.mainForm;
    const int16_t width = c.table.TileWidth[0], height = c.table.TileHeight[0];
    PlayEffect(c, kWindDrawSound);
    const double left = f.Pic1->width() / 2.0 - 2 * width;
    const int top = RoundHalfEven(f.Pic1->height() / 2.0 - height);
    for (int i = 0; i < 4; ++i) {
        TileImage(c, i).Move(float(left + i * width), top, width, height);
        ShowTileImage(c, static_cast<int16_t>(i), BackPicture(0));
    }
    SleepSeconds(c, 0.5);
    const int turned = c.table.Random.bounded(4);
    // The winds 北 西 南 東 are the honour tiles 4 down to 1.
    ShowTileImage(c, static_cast<int16_t>(turned), TilePicture(kOwnHandSet, kNorth - wind));
    SleepSeconds(c, 0.5);
    for (int i = 0; i < 4; ++i) TileImage(c, i).setVisible(false);
}

void ShowCompass(Client& c) {
    SeatInfo& own = c.seatInfo[0];
    if (own.SeatBit == 0) own.SeatBit = 1;
    SetPictureFromResource(c, *c.mainForm->ZhiNan, c.resourceIds.CompassIds[BitToIndex(own.SeatBit)]);
    c.mainForm->ZhiNan->setVisible(true);
}

void BuildWall(Client& c) {
    TableState& t = c.table;
    PlayEffect(c, kWallSound);
    // Stack 0 of each wall, lower tile first, in the face-down picture of its wall's set.
    constexpr std::array<int, 8> firstStackTiles{1, 0, 35, 34, 69, 68, 103, 102};
    for (int tile : firstStackTiles)
        ShowTileImage(c, static_cast<int16_t>(tile), FaceDownPicture(tile / 34));
    constexpr std::array<int, 8> copyOrder{1, 0, 35, 34, 69, 68, 102, 103};
    for (int stack = 1; stack < 17; ++stack) {
        for (int from : copyOrder) CopyTilePicture(c, 2 * stack + from, from);
        WaitSeconds(c, 0.01);
    }
    PostToLobby(c, LobbyMessage::WallBuilt);

    t.KongDiscardImages.fill(0);
    t.KongDiscardTiles.fill(0);
    t.KongDiscardSeats.fill(0);
    t.KongDiscardCount = 0;
    t.Dice.fill(0);
    t.KongLogCount = 0;
    t.ResultPacketCount = 0;
    t.RevealTiles.fill(0);
    t.RevealImages.fill(0);
    t.RevealCount = 0;
    t.IndicatorImage = -1;
}

void RollDice(Client& c, int16_t dealerSeat, std::array<int16_t, 4>& dice) {
    c.mainForm->Label3->SetCaption(QString());
    Throw(c, dice, 0);
    // A local seat is always below 4, so the second throw always follows.
    if (dealerSeat < 4) {
        SleepSeconds(c, 0.6);
        Throw(c, dice, 2);
    }
}
