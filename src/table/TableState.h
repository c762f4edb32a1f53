#pragma once
#include <QString>
#include <array>
#include <cstdint>

// The table state words that the message handlers, the own seat's play, the
// spectator view and the computer player share.
struct TableState {
    double ScaleX = 1.0;
    double ScaleY = 1.0;

    bool SpectatorMode = false;
    bool AutoPlay = false;
    bool InGame = false;
    bool TableCleared = false;
    bool MustLeaveTable = false;
    bool KeepWindowOnDrop = false;
    int16_t HandStarted = 0;
    int16_t PlayerCount = 0;

    int16_t WildTile = -1;
    int16_t WallFront = 0;
    int16_t WallBack = 0;
    bool DrawFromFront = true;
    bool MustDiscard = false;
    bool KongDeclared = false;
    int16_t LastDiscardTile = 0;
    int16_t LastDiscardImage = -1;
    int16_t PrevBlinkImage = -1;
    int16_t LastDiscarder = 0;
    int16_t WinnerSeat = -1;
    int16_t HandNumber = 0;
    int16_t SeatMsgCount = 0;
    int16_t SeatResultCount = 0;

    int16_t ActionCountdown = 0;
    int16_t TurnSeconds = 8;
    int16_t PromptState = 0;
    int16_t TimeoutStreak = 0;
    int16_t TimeoutLimit = 0;
    bool AnswerSent = false;

    int16_t DiscardBlinkCount = 0;
    int16_t ChatBlinkCount = 0;
    int16_t BubbleSeat = 0;

    // Account names by server seat index, from the seat-name messages.
    std::array<QString, 4> SeatNames;
    // Hands of local seats 1 to 3 laid open at the end of a hand (index 0 unused).
    std::array<std::array<int16_t, 21>, 4> RevealedHand{};
    std::array<int16_t, 24> RightDiscardImages{};
    int16_t RightDiscardCount = 0;
    std::array<std::array<int16_t, 8>, 4> SingleKongImages{};
    std::array<double, 4> HandScore{};
};
