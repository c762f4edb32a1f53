#pragma once
#include <QRandomGenerator>
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
    // The turned-up tile that names the wild tile.
    int16_t WildIndicator = 0;
    // Seat bit of the hand's dealer and the two throw totals of the hand set-up.
    uint8_t DealerBit = 0;
    std::array<int16_t, 2> Dice{};
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

    // True from the first seat name until the seat order is resolved.
    bool SeatOrderPending = false;
    // Each seat's voice set as the seat order gave it; the sound settings read it.
    std::array<QString, 4> SeatVoiceSet;
    // A spectator's gathered player records of the seating, in arrival order.
    std::array<std::array<uint8_t, 272>, 4> SpectatorInfoPackets{};
    // Running totals of the hands played at this table, per local seat.
    std::array<double, 4> TotalScore{};
    // The hand-history file could not be removed or written at this
    // seating: hands are neither stored nor reloaded until a seating removes it.
    bool HandHistorySkipped = false;
    // The ticker has said so since the table was last left.
    bool HandHistoryNoticeShown = false;

    // Pixel size of one tile image per local seat: the wall size after the
    // layout, rewritten by whatever lays that seat's tiles next.
    std::array<int16_t, 4> TileWidth{};
    std::array<int16_t, 4> TileHeight{};
    // The tile picture number each MJ_Image was last given, -1 for none.
    std::array<int16_t, 136> TileImagePictures = [] {
        std::array<int16_t, 136> none;
        none.fill(-1);
        return none;
    }();
    // The dice picture holder (SZ_Image index) each die image last copied.
    std::array<int16_t, 2> DiceFrames{};

    // The kong log of the hand: per kong its kind per local seat (1 on a
    // discard, 2 one-tile, 3 concealed) and its tile code.
    std::array<std::array<int16_t, 4>, 16> KongLogKinds{};
    std::array<int16_t, 16> KongLogTiles{};
    int16_t KongLogCount = 0;
    // Other seats' concealed kongs: the image of the tile laid face up on
    // each, its tile code and the seat.
    std::array<int16_t, 16> KongDiscardImages{};
    std::array<int16_t, 16> KongDiscardTiles{};
    std::array<int16_t, 16> KongDiscardSeats{};
    int16_t KongDiscardCount = 0;
    // Per local seat, the laid-open tiles that carry the completing-tile marker.
    std::array<std::array<int16_t, 21>, 4> RevealedMarked{};
    // The tiles the server names at the hand's end and their wall positions.
    std::array<int16_t, 5> RevealTiles{};
    std::array<int16_t, 5> RevealImages{};
    int16_t RevealCount = 0;
    int16_t ResultPacketCount = 0;
    // The wall image of the wild indicator a rebuild laid on the wall this
    // hand, -1 when none was laid.
    int16_t IndicatorImage = -1;
    // The settlement's tax switch (non-zero hides the tax line) and whether
    // some seat's result is the special one that changes the win count.
    uint8_t NoTaxFlag = 0;
    bool SpecialResult = false;
    // A spectator's last discard place, to which its discarder's row returns
    // when that discard is claimed.
    int16_t SavedDiscardX = 0;
    int16_t SavedDiscardY = 0;

    // The rebuild of a hand in progress: whether one has completed in this
    // run, the messages of the current one applied so far, the tiles taken
    // from the wall front (largest of the messages) and the back end's
    // counter (smallest), the wall images handed out since its first message
    // and each local seat's discard count.
    bool TableRebuilt = false;
    int16_t RebuildMsgCount = 0;
    int16_t RebuildWallTaken = 0;
    int16_t RebuildParam3 = 0;
    int16_t RebuildWallOffset = 0;
    std::array<int16_t, 4> RebuildDiscardCount{};

    // The one generator of the table's random choices; tests seed it.
    QRandomGenerator Random{QRandomGenerator::global()->generate()};
};
