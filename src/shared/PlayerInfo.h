#pragma once
#include <QString>
#include <cstdint>

// A player's record as the server describes it, one per local seat.
struct PlayerInfo {
    QString NickName;
    QString Avatar;
    uint8_t Sex = 0;
    QString Area;
    double Points = 0;
    double Credit = 0;
    double Money = 0;
    double Extra1 = 0;
    QString LevelTitle;
    double Extra2 = 0, Extra3 = 0, Extra4 = 0;
    int32_t LoginCount = 0;
    int32_t DropCount = 0;
    int32_t WinCount = 0;
    int32_t LossCount = 0;
    QString Account;
    QString NameTag;
    QString VoiceCode;
    QString VoiceSet;
    uint8_t VoiceSex = 0;
    int16_t HandVisible = 0;
    double UserId = 0;
};
