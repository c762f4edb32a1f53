#include "window/SoundSettingsDialog.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/Controls.h"
#include "table/Sound.h"
#include "table/pictures/DialogPictures.h"
#include "table/SideWindows.h"

namespace {
// Entries of the dialog button pictures.
constexpr int kOkPicture = 0;
constexpr int kCancelPicture = 2;
constexpr int kSwitchOffPicture = 4;  // shown while the switch is on: a click turns it off
constexpr int kSwitchOnPicture = 5;
constexpr int kMandarinPicture = 6;

constexpr int kMusic = 0, kSystemSounds = 1, kEffectSounds = 2, kDialect = 3;
constexpr double kOptionTops[] = {40, 96, 152, 208};

const QString kMandarin = QStringLiteral("00");
const QString kDialectCode = QStringLiteral("27");

void SetDialogPicture(Client& c, ImageControl& button, int entry) {
    SetPictureFromResource(c, button, c.resourceIds.DialogButtonIds[entry]);
}

void ShowSwitch(Client& c, int option, bool on) {
    SetDialogPicture(c, *c.VosSet().Command2[option], on ? kSwitchOffPicture : kSwitchOnPicture);
}

// The music plays in the one sound buffer, looped at full volume, until an
// effect or voice replaces it.
void SetMusic(Client& c, bool on) {
    c.sound.MusicOn = on;
    if (on) {
        PlaySoundFile(c, c.sound.WavePath[1], true);
        SetSoundVolume(c, 3000);
    } else {
        StopSound(c);
    }
    ShowSwitch(c, kMusic, on);
}

bool& SwitchFlag(Client& c, int option) {
    return option == kSystemSounds ? c.sound.SystemSoundOn : c.sound.EffectSoundOn;
}

void SetVoiceCodes(Client& c, const QString& code) {
    for (PlayerInfo& player : c.playerInfo) player.VoiceCode = code;
    SetDialogPicture(c, *c.VosSet().Command2[kDialect], kMandarinPicture);
}

// Switches an option from whatever it holds now.
void SwitchOption(Client& c, int option) {
    switch (option) {
    case kMusic: SetMusic(c, !c.sound.MusicOn); break;
    case kSystemSounds:
    case kEffectSounds: {
        bool& flag = SwitchFlag(c, option);
        flag = !flag;
        ShowSwitch(c, option, flag);
        break;
    }
    case kDialect: SetVoiceCodes(c, c.playerInfo[0].VoiceCode == kMandarin ? kDialectCode : kMandarin); break;
    default: break;
    }
}

// Cancel's switch back of the dialect; when it brings the dialect back, the
// seats' voice sets are those the seating gave.
void SwitchDialectBack(Client& c) {
    if (c.playerInfo[0].VoiceCode != kMandarin) return SetVoiceCodes(c, kMandarin);
    SetVoiceCodes(c, kDialectCode);
    for (int s = 0; s < 4; ++s)
        if (c.playerInfo[s].Sex == 1) c.playerInfo[s].VoiceSet = c.table.SeatVoiceSet[s];
}
}  // namespace

SoundSettingsDialog::SoundSettingsDialog(Client& c) : DialogSurface(QStringLiteral("音效设置"), DrawSoundSettingsBackground()) {
    MakeTranslucent(*this);
    Command1[0] = AddButton(0, 0, 65, 30);
    SetDialogPicture(c, *Command1[0], kOkPicture);
    Command1[1] = AddButton(0, 0, 65, 30);
    SetDialogPicture(c, *Command1[1], kCancelPicture);
    Command1[0]->Move(28, 264);
    // The Cancel button stands 1.4 OK-widths from OK's left, by the width its picture gave it.
    Command1[1]->Move(Command1[0]->Left() + 1.4 * Command1[0]->Width(), Command1[0]->Top());

    for (int i = 0; i < 4; ++i) {
        Image1[i] = AddImage(16, kOptionTops[i]);
        Image1[i]->SetPicture(QPixmap::fromImage(DrawSoundOptionCaption(i)));
        SettingChanged[i] = false;
        Command2[i] = AddButton(Image1[i]->Left() + Image1[i]->Width() + 20, Image1[i]->Top() + 3, 65, 30);
        SetDialogPicture(c, *Command2[i], i == kDialect ? kMandarinPicture : kSwitchOffPicture);
        Command2[i]->OnClick = [&c, i] { VosSet_Command2_Click(c, i); };
    }
    for (int i = 0; i < 2; ++i) Command1[i]->OnClick = [&c, i] { VosSet_Command1_Click(c, i); };
}

void VosSet_Command2_Click(Client& c, int index) {
    if (index < 0 || index > 3) return;
    bool& changed = c.VosSet().SettingChanged[index];
    changed = !changed;
    SwitchOption(c, index);
}

void VosSet_Command1_Click(Client& c, int index) {
    SoundSettingsDialog& dialog = c.VosSet();
    dialog.hide();
    if (index == 1) {
        for (int i = kMusic; i <= kEffectSounds; ++i)
            if (dialog.SettingChanged[i]) SwitchOption(c, i);
        if (dialog.SettingChanged[kDialect]) SwitchDialectBack(c);
    }
    dialog.SettingChanged.fill(false);
}

SoundSettingsDialog& Client::VosSet() {
    if (!vosSet) vosSet = MakeWindow<SoundSettingsDialog>(*this);
    return *vosSet;
}
