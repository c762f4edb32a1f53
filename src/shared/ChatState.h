#pragma once
#include <QString>
#include <cstdint>

// The chat box's state: the private target and the send throttle.
struct ChatState {
    QString PrivateChatPrefix;
    int16_t PrivateChatSeat = 0;
    QString PrivateChatSaved;
    QString SavedChatText;
    bool PrefixBackspaced = false;
};
