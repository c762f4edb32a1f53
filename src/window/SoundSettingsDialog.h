#pragma once
#include "window/DialogSurface.h"
#include <array>
class Client;

// The sound-settings dialog VosSet ("音效设置"): switches for the background
// music, the system sounds and the effect sounds, and the voice dialect of
// the four seats. Each option acts at once; OK keeps what was switched, Cancel
// switches back what was switched since the last OK or Cancel. Created on
// first use, then only hidden and shown.
class SoundSettingsDialog : public DialogSurface {
    Q_OBJECT
public:
    // The load: the start pictures, whatever the switches hold, and no option changed.
    explicit SoundSettingsDialog(Client& c);

    // The option captions: 0 music, 1 system sounds, 2 effect sounds, 3 dialect.
    std::array<ImageControl*, 4> Image1{};
    // The option buttons, in the same order.
    std::array<ImageControl*, 4> Command2{};
    // 0 OK, 1 Cancel.
    std::array<ImageControl*, 2> Command1{};
    // True while an option has been switched an odd number of times since the last OK or Cancel.
    std::array<bool, 4> SettingChanged{};
};

// Option button `index` (0 to 3) switches its option.
void VosSet_Command2_Click(Client& c, int index);
// 0 OK, 1 Cancel: hides the dialog; Cancel first switches back every changed option.
void VosSet_Command1_Click(Client& c, int index);
