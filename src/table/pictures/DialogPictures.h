#pragma once
#include <QImage>
#include <QSize>

// The backgrounds of the two table dialogs, each a panel with its own drawn
// frame, and the captions of the sound settings' four options.

// The sound settings: a title band and four option rows.
QImage DrawSoundSettingsBackground();
inline constexpr QSize SoundSettingsSize{220, 330};
// Option captions: 0 background music, 1 system sounds, 2 function sounds, 3 dialect.
QImage DrawSoundOptionCaption(int option);
inline constexpr QSize SoundOptionCaptionSize{91, 35};
// The exit dialog: a title band over a plain panel.
QImage DrawExitDialogBackground();
inline constexpr QSize ExitDialogSize{320, 180};
