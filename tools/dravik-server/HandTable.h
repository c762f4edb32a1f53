#pragma once
#include "wire/GamePacket.h"
#include "dravik-server/Rules.h"
#include "dravik-server/Scoring.h"
#include <QRandomGenerator>
#include <QString>
#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

struct HandTableSettings {
    // The turn time the clients were given in their log-in reply.
    int turnSeconds = 8;
    // How much longer than its turn time a client seat may take before the
    // server moves for it.
    std::chrono::milliseconds answerMargin{3000};
    // The pause before each move of a computer seat.
    std::chrono::milliseconds computerMoveDelay{800};
    int64_t moneyPerFan = 100;
};

// The hands of one table of four seats (0-3, seat bit 1 << seat), played back
// to back. It knows no sockets and no clock: the caller passes the time, and
// the table sends the packets for the client seats through `send` and reports
// every hand event as one line through `log`. Seats that are not client seats
// are played by the computer player. What the table shows every seat also
// goes to the watchers (through `watch`, once set), with every tile's code
// and without the prompts.
class HandTable {
public:
    using Time = std::chrono::milliseconds;
    using SendFunction = std::function<void(int seat, const GamePacket& packet)>;
    using LogFunction = std::function<void(const QString& line)>;
    using WatchFunction = std::function<void(const GamePacket& packet)>;
    using TimeUpFunction = std::function<void(int seat)>;

    enum class Phase { Idle, Turn, Claims, Ended };

    HandTable(const HandTableSettings& settings, quint32 seed, SendFunction send, LogFunction log);

    // Whether a client plays the seat. A client seat handed to the computer
    // mid-hand is played by it from its next move on.
    void SetClientSeat(int seat, bool client);
    bool IsClientSeat(int seat) const;
    // Where the watchers' packets go. Watchers hold up nothing: the table
    // never waits for them to work through what they were sent.
    void SetWatch(WatchFunction watch);
    // Where a client seat whose answer is overdue is reported, so that its
    // client can be cut off; the computer plays the seat from then on.
    void SetTimeUp(TimeUpFunction timeUp);
    // The level titles the result details carry.
    void SetLevelTitle(int seat, const QString& title);

    // Shuffles, throws the dice, deals and prompts the dealer.
    void StartHand(Time now);
    // A client seat's Discard or ClaimAnswer. Returns why it was refused, or
    // an empty text when it was taken.
    QString Receive(int seat, const GamePacket& packet, Time now);
    // Makes every computer move that is due and moves for the client seats
    // whose answers are overdue.
    void Advance(Time now);
    // When Advance has something to do next, if anything.
    std::optional<Time> NextDeadline() const;
    // When every client seat has worked through what it was sent, as far as
    // the server can tell; `now` when none is behind.
    Time ClientsCaughtUp(Time now) const;
    // Ends the hand in progress without a result (a player left).
    void Abort();
    // A client seat comes back mid-hand: the hand's set-up, the four
    // TableRebuild packets and its open prompt again, and the seat is a client
    // seat from now on.
    void Rejoin(int seat, Time now);
    // The HandSetup of the hand in progress, which goes before its rebuild.
    GamePacket SetupPacket() const;
    // The four TableRebuild packets of the hand in progress as `seat` sees it:
    // the other seats' concealed tiles as zeros.
    std::vector<GamePacket> RebuildPackets(int seat) const;
    // The same as a watcher sees it: every seat's concealed tiles.
    std::vector<GamePacket> WatcherRebuildPackets() const;

    Phase CurrentPhase() const { return phase_; }
    bool HandRunning() const { return phase_ == Phase::Turn || phase_ == Phase::Claims; }
    bool HandEnded() const { return phase_ == Phase::Ended; }
    int HandNumber() const { return handNumber_; }
    int Dealer() const { return dealer_; }
    // The seat whose turn it is, or the discarder while claims are open.
    int TurnSeat() const { return turnSeat_; }
    Rules::Tile Wild() const { return wild_; }
    Rules::Tile Indicator() const { return indicator_; }
    const std::array<Rules::Hand, 4>& Hands() const { return hands_; }
    const std::array<std::vector<Rules::Tile>, 4>& Discards() const { return discards_; }
    // The tiles still in the wall, front first.
    std::vector<Rules::Tile> WallLeft() const;
    // The operation bits the seat's open prompt offers; -1 when it has none.
    int OpenOffer(int seat) const;
    // -1 for a drawn hand or while the hand runs.
    int Winner() const { return winner_; }
    // The settlement of the hand that ended last.
    const std::array<SeatSettlement, 4>& Settlement() const { return settlement_; }

private:
    struct ClaimState {
        int offered = 0;
        int answer = 0;
        std::array<Rules::Tile, 2> chowTiles{};
        Time deadline{};
    };

    void SendTo(int seat, const GamePacket& packet, Time now, Time clientWork = Time(0));
    // To every client seat and the watchers.
    void SendToAll(const GamePacket& packet, Time now, Time clientWork = Time(0));
    // Tiles that `seat` takes: their codes to it and the watchers, `hidden` to the others.
    void SendTaken(int seat, const GamePacket& shown, const GamePacket& hidden, Time now, Time clientWork);
    std::vector<GamePacket> RebuildPacketsShowing(const std::array<bool, 4>& shown) const;
    void Log(const QString& line) const { log_(line); }
    void LogMove(int seat, const QString& what, Rules::Tile tile) const;

    void Deal(Time now);
    void Draw(int seat, bool fromBack, Time now);
    void OpenTurn(int seat, int offered, Time now);
    void PromptSeat(int seat, int offered, Time now);
    Time ClientDeadline(int seat, Time now) const;
    Time ComputerMoveTime() const;

    QString ReceiveDiscard(int seat, const GameMessage& message, Time now);
    QString ReceiveClaimAnswer(int seat, const GameMessage& message, Time now);
    QString TurnDeclaration(int seat, int operation, const GameMessage& message, Time now);
    QString ClaimDeclaration(int seat, int operation, const GameMessage& message);

    void ComputerTurn(int seat, Time now);
    void TimeUp(int seat);
    void Discard(int seat, Rules::Tile tile, Time now);
    void ConcealedKong(int seat, Rules::Tile tile, Time now);
    void SingleKong(int seat, Rules::Tile tile, Time now);
    void ResolveClaims(Time now);
    void ClaimDiscard(int seat, int operation, std::array<Rules::Tile, 2> chowTiles, Time now);
    void Win(int seat, int discarder, Rules::Tile tile, Time now);
    void EndDrawn(Time now);
    void SendResults(Rules::Tile winningTile, Time now);
    void FinishHand(bool dealerKeeps);

    HandTableSettings settings_;
    QRandomGenerator random_;
    SendFunction send_;
    LogFunction log_;
    WatchFunction watch_;
    TimeUpFunction timeUp_;
    std::array<bool, 4> clientSeats_{};
    std::array<QString, 4> levelTitles_{};
    // When each client has worked through what it was sent, as far as the
    // server can tell: the client takes one packet per 100 ms and stands still
    // while it animates.
    std::array<Time, 4> clientBusyUntil_{};

    Phase phase_ = Phase::Idle;
    int handNumber_ = 0;
    int dealer_ = 0;
    // The dealer deals again after winning or after an aborted hand.
    bool dealerKeeps_ = false;
    int turnSeat_ = 0;
    std::vector<Rules::Tile> wall_;
    size_t wallFront_ = 0;
    size_t wallBack_ = 0;  // one past the last tile still in the wall
    std::array<int, 4> dice_{};
    Rules::Tile wild_ = 0;
    Rules::Tile indicator_ = 0;
    std::array<Rules::Hand, 4> hands_{};
    std::array<std::vector<Rules::Tile>, 4> discards_{};
    // The turn: what the seat was offered, whether it has passed, the tile it
    // drew (0 after a chow or pung) and whether that was a kong's replacement.
    int turnOffer_ = 0;
    bool turnPassed_ = false;
    Rules::Tile drawnTile_ = 0;
    bool drawnFromBack_ = false;
    Time phaseStart_{};
    Time turnDeadline_{};
    // The claims on the discard `claimTile_`.
    std::array<ClaimState, 4> claims_{};
    Rules::Tile claimTile_ = 0;
    int winner_ = -1;
    std::array<SeatSettlement, 4> settlement_{};
};
