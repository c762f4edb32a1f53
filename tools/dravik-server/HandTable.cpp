#include "dravik-server/HandTable.h"
#include "dravik-server/ComputerPlayer.h"
#include "dravik-server/HandPackets.h"
#include "dravik-server/MoveText.h"
#include "dravik-server/ServerPackets.h"
#include "shared/GameMessage.h"
#include <QStringList>
#include <algorithm>

using namespace std::chrono_literals;
using Rules::CountOf;
using Rules::Tile;

namespace {
constexpr int kDealRounds = 3;

// What a client needs to work through the packets, as far as the server can
// tell: one packet per 100 ms, a few seconds of wall and dice at the hand
// start, 0.4 s for a draw that parks the last discard, 1 s at the end of the deal.
constexpr auto kPacketWork = 100ms;
constexpr auto kHandStartWork = 4000ms;
constexpr auto kParkWork = 400ms;
constexpr auto kDealEndWork = 1000ms;
// Computer seats wait while a client is further behind than this.
constexpr auto kClientLead = 1000ms;

// The money each seat won or paid, seat bits 1, 2, 4, 8 in turn.
QString MoneyText(const std::array<SeatSettlement, 4>& settlement) {
    QStringList amounts;
    for (const SeatSettlement& seat : settlement) amounts << QString::number(seat.money);
    return amounts.join(u',');
}

void RemoveOne(std::vector<Tile>& tiles, Tile tile) { tiles.erase(std::find(tiles.begin(), tiles.end(), tile)); }

GameMessage Answer(int operation, std::array<Tile, 3> tiles = {}) {
    GameMessage message;
    message.MsgType = MessageType::ClaimAnswer;
    message.Param[0] = int16_t(operation);
    for (size_t k = 0; k < tiles.size(); ++k)
        if (tiles[k] != 0) message.Param[k + 1] = int16_t(TileMarker::Claim | tiles[k]);
    return message;
}
}  // namespace

HandTable::HandTable(const HandTableSettings& settings, quint32 seed, SendFunction send, LogFunction log)
    : settings_(settings), random_(seed), send_(std::move(send)), log_(std::move(log)) {}

void HandTable::SetClientSeat(int seat, bool client) {
    if (clientSeats_[seat] == client) return;
    clientSeats_[seat] = client;
    clientBusyUntil_[seat] = Time(0);
    // An open claim prompt of a seat the client gave up is passed at once;
    // an open turn is the computer's at its next Advance.
    ClaimState& claim = claims_[seat];
    if (!client && phase_ == Phase::Claims && claim.offered != 0 && claim.answer == 0) {
        claim.answer = Rules::kPass;
        LogMove(seat, OperationName(Rules::kPass), claimTile_);
    }
}

bool HandTable::IsClientSeat(int seat) const { return clientSeats_[seat]; }

void HandTable::SetWatch(WatchFunction watch) { watch_ = std::move(watch); }

void HandTable::SetTimeUp(TimeUpFunction timeUp) { timeUp_ = std::move(timeUp); }

void HandTable::SetLevelTitle(int seat, const QString& title) { levelTitles_[seat] = title; }

void HandTable::SendTo(int seat, const GamePacket& packet, Time now, Time clientWork) {
    if (!clientSeats_[seat]) return;
    clientBusyUntil_[seat] = std::max(clientBusyUntil_[seat], now) + kPacketWork + clientWork;
    send_(seat, packet);
}

void HandTable::SendToAll(const GamePacket& packet, Time now, Time clientWork) {
    for (int seat = 0; seat < 4; ++seat) SendTo(seat, packet, now, clientWork);
    if (watch_) watch_(packet);
}

void HandTable::SendTaken(int seat, const GamePacket& shown, const GamePacket& hidden, Time now, Time clientWork) {
    for (int other = 0; other < 4; ++other) SendTo(other, other == seat ? shown : hidden, now, clientWork);
    if (watch_) watch_(shown);
}

void HandTable::LogMove(int seat, const QString& what, Tile tile) const {
    Log(QStringLiteral("move %1 %2 %3").arg(BitOf(seat)).arg(what, TileHex(tile)));
}

std::vector<Tile> HandTable::WallLeft() const {
    return {wall_.begin() + std::ptrdiff_t(wallFront_), wall_.begin() + std::ptrdiff_t(wallBack_)};
}

int HandTable::OpenOffer(int seat) const {
    if (phase_ == Phase::Turn && seat == turnSeat_) return turnPassed_ ? 0 : turnOffer_;
    if (phase_ == Phase::Claims && claims_[seat].offered != 0 && claims_[seat].answer == 0)
        return claims_[seat].offered;
    return -1;
}

void HandTable::StartHand(Time now) {
    if (handNumber_ > 0 && !dealerKeeps_) dealer_ = (dealer_ + 1) % 4;
    ++handNumber_;
    hands_ = {};
    discards_ = {};
    claims_ = {};
    winner_ = -1;
    settlement_ = {};
    wall_ = Rules::ShuffledWall(random_);
    wallFront_ = 0;
    wallBack_ = wall_.size();
    // The indicator is turned up from the back of the wall and stays out of play.
    indicator_ = wall_[--wallBack_];
    wild_ = Rules::WildTileOf(indicator_);
    for (int& die : dice_) die = int(random_.bounded(1, 7));

    Log(QStringLiteral("hand %1 start dealer=%2 wild=%3 indicator=%4")
            .arg(handNumber_)
            .arg(BitOf(dealer_))
            .arg(TileHex(wild_), TileHex(indicator_)));
    SendToAll(DealerNamedPacket(BitOf(dealer_)), now);
    SendToAll(HandStartPacket(BitOf(dealer_), dice_), now, kHandStartWork);
    Deal(now);
}

// Three rounds of four-tile passes, dealer first in turn order, then one tile
// each and the dealer's fourteenth; the wild tile only after the deal, so
// that the clients show their dealt hands sorted.
void HandTable::Deal(Time now) {
    for (int round = 0; round < kDealRounds; ++round) {
        for (int k = 0; k < 4; ++k) {
            const int seat = (dealer_ + k) % 4;
            std::array<Tile, 4> tiles{};
            for (Tile& tile : tiles) tile = wall_[wallFront_++];
            hands_[seat].concealed.insert(hands_[seat].concealed.end(), tiles.begin(), tiles.end());
            SendTaken(seat, DealTilesPacket(BitOf(seat), tiles), DealTilesPacket(BitOf(seat), {}), now, Time(0));
        }
    }
    for (int k = 0; k <= 4; ++k) {
        const int seat = (dealer_ + k) % 4;
        const Tile tile = wall_[wallFront_++];
        hands_[seat].concealed.push_back(tile);
        drawnTile_ = tile;
        SendTaken(seat, TileDrawnPacket(BitOf(seat), tile), TileDrawnPacket(BitOf(seat), 0), now,
                  k == 4 ? Time(kDealEndWork) : Time(0));
    }
    SendToAll(WildTileSetPacket(wild_, indicator_), now);
    drawnFromBack_ = false;
    const bool wallEmpty = wallFront_ >= wallBack_;
    OpenTurn(dealer_, Rules::SelfDrawOptions(hands_[dealer_], wild_, wallEmpty), now);
}

void HandTable::Draw(int seat, bool fromBack, Time now) {
    const Tile tile = fromBack ? wall_[--wallBack_] : wall_[wallFront_++];
    hands_[seat].concealed.push_back(tile);
    drawnTile_ = tile;
    drawnFromBack_ = fromBack;
    Log(QStringLiteral("draw %1 %2").arg(BitOf(seat)).arg(TileHex(tile)));
    // A draw from the front follows a discard, which the client parks first.
    const Time work = fromBack ? Time(0) : Time(kParkWork);
    SendTaken(seat, TileDrawnPacket(BitOf(seat), tile), TileDrawnPacket(BitOf(seat), 0), now, work);
    OpenTurn(seat, Rules::SelfDrawOptions(hands_[seat], wild_, wallFront_ >= wallBack_), now);
}

// Anything offered comes with a pass; a seat that may only discard still
// gets its prompt, which runs its countdown.
void HandTable::OpenTurn(int seat, int offered, Time now) {
    phase_ = Phase::Turn;
    turnSeat_ = seat;
    turnOffer_ = offered != 0 ? offered | Rules::kPass : 0;
    turnPassed_ = false;
    phaseStart_ = now;
    PromptSeat(seat, turnOffer_, now);
    turnDeadline_ = ClientDeadline(seat, now);
}

void HandTable::PromptSeat(int seat, int offered, Time now) { SendTo(seat, ActionPromptPacket(BitOf(seat), offered), now); }

HandTable::Time HandTable::ClientDeadline(int seat, Time now) const {
    return std::max(now, clientBusyUntil_[seat]) + std::chrono::seconds(settings_.turnSeconds) + settings_.answerMargin;
}

HandTable::Time HandTable::ClientsCaughtUp(Time now) const {
    Time caughtUp = now;
    for (int seat = 0; seat < 4; ++seat)
        if (clientSeats_[seat]) caughtUp = std::max(caughtUp, clientBusyUntil_[seat]);
    return caughtUp;
}

HandTable::Time HandTable::ComputerMoveTime() const {
    Time due = phaseStart_ + settings_.computerMoveDelay;
    for (int seat = 0; seat < 4; ++seat)
        if (clientSeats_[seat]) due = std::max(due, clientBusyUntil_[seat] - kClientLead);
    return due;
}

std::optional<HandTable::Time> HandTable::NextDeadline() const {
    if (phase_ == Phase::Turn) return clientSeats_[turnSeat_] ? turnDeadline_ : ComputerMoveTime();
    if (phase_ != Phase::Claims) return std::nullopt;
    std::optional<Time> next;
    for (const ClaimState& claim : claims_)
        if (claim.offered != 0 && claim.answer == 0 && (!next || claim.deadline < *next)) next = claim.deadline;
    return next;
}

void HandTable::Advance(Time now) {
    while (HandRunning()) {
        if (phase_ == Phase::Turn) {
            const int seat = turnSeat_;
            if (clientSeats_[seat]) {
                if (now < turnDeadline_) return;
                TimeUp(seat);
            } else {
                if (now < ComputerMoveTime()) return;
                ComputerTurn(seat, now);
            }
            continue;
        }
        for (int seat = 0; seat < 4; ++seat) {
            const ClaimState& claim = claims_[seat];
            if (clientSeats_[seat] && claim.offered != 0 && claim.answer == 0 && now >= claim.deadline) TimeUp(seat);
        }
        const bool answered = std::all_of(claims_.begin(), claims_.end(),
                                          [](const ClaimState& claim) { return claim.offered == 0 || claim.answer != 0; });
        if (!answered) return;
        ResolveClaims(now);
    }
}

// The computer's own choice goes through the same checks as a client's move;
// should one fail, it discards its last tile.
void HandTable::ComputerTurn(int seat, Time now) {
    const Rules::Hand& hand = hands_[seat];
    const int answer = turnOffer_ != 0 ? ComputerPlayer::ChooseSelfDrawAnswer(hand, turnOffer_, wild_) : 0;
    QString refusal;
    if (answer == Rules::kWin) {
        refusal = TurnDeclaration(seat, answer, Answer(answer), now);
    } else if (answer == Rules::kConcealedKong) {
        const auto four = std::find_if(hand.concealed.begin(), hand.concealed.end(),
                                       [&](Tile tile) { return tile != wild_ && CountOf(hand.concealed, tile) == 4; });
        const Tile tile = four != hand.concealed.end() ? *four : 0;
        refusal = TurnDeclaration(seat, answer, Answer(answer, {tile, tile, tile}), now);
    } else if (answer == Rules::kSingleKong) {
        refusal = TurnDeclaration(seat, answer, Answer(answer, {0, 0, ComputerPlayer::SingleKongTile(hand, wild_)}), now);
    } else {
        const Tile tile = ComputerPlayer::ChooseDiscard(hand, wild_);
        if (CountOf(hand.concealed, tile) > 0) {
            Discard(seat, tile, now);
            return;
        }
        refusal = QStringLiteral("discard of %1, not held").arg(TileHex(tile));
    }
    if (refusal.isEmpty()) return;
    Log(QStringLiteral("computer %1 %2").arg(BitOf(seat)).arg(refusal));
    Discard(seat, hands_[seat].concealed.back(), now);
}

// A client that lets its time run out has stopped or fallen far behind. No
// move the server made for it could reach it in a form it follows (it takes
// a discard of its own seat for the echo of its own click), so the seat is
// handled as a vanished client's: its client is cut off, the computer plays
// the seat at once, and the client comes back through its reconnect to the
// table rebuilt as it stands then. An open claim of the seat is passed.
void HandTable::TimeUp(int seat) {
    Log(QStringLiteral("timeout %1").arg(BitOf(seat)));
    SetClientSeat(seat, false);
    if (timeUp_) timeUp_(seat);
}

void HandTable::Discard(int seat, Tile tile, Time now) {
    RemoveOne(hands_[seat].concealed, tile);
    discards_[seat].push_back(tile);
    LogMove(seat, QStringLiteral("discard"), tile);
    SendToAll(TileDiscardedPacket(BitOf(seat), tile), now);

    const bool wallEmpty = wallFront_ >= wallBack_;
    claims_ = {};
    claimTile_ = tile;
    turnSeat_ = seat;
    phase_ = Phase::Claims;
    phaseStart_ = now;
    for (int other = 0; other < 4; ++other) {
        if (other == seat) continue;
        const int offered = Rules::DiscardOptions(hands_[other], tile, other == (seat + 1) % 4, wild_, wallEmpty);
        if (offered != 0) claims_[other].offered = offered | Rules::kPass;
    }
    for (int other = 0; other < 4; ++other) {
        ClaimState& claim = claims_[other];
        if (claim.offered == 0) continue;
        if (clientSeats_[other]) {
            PromptSeat(other, claim.offered, now);
            claim.deadline = ClientDeadline(other, now);
            continue;
        }
        const Rules::Hand& hand = hands_[other];
        const int answer = ComputerPlayer::ChooseClaimAnswer(hand, claim.offered, tile, wild_);
        std::array<Tile, 3> tiles{};
        if (answer == Rules::kPung || answer == Rules::kExposedKong) tiles = {tile, tile, tile};
        if (answer == Rules::kChow) {
            const std::array<Tile, 2> pair = ComputerPlayer::ChowTiles(hand, tile);
            tiles = {pair[0], pair[1], tile};
        }
        const QString refusal = ClaimDeclaration(other, answer, Answer(answer, tiles));
        if (refusal.isEmpty()) continue;
        Log(QStringLiteral("computer %1 %2").arg(BitOf(other)).arg(refusal));
        claim.answer = Rules::kPass;
        LogMove(other, OperationName(Rules::kPass), tile);
    }
}

void HandTable::ConcealedKong(int seat, Tile tile, Time now) {
    Rules::Hand& hand = hands_[seat];
    for (int k = 0; k < 4; ++k) RemoveOne(hand.concealed, tile);
    hand.melds.push_back({Rules::kConcealedKong, {tile, tile, tile}});
    SendToAll(MeldMadePacket(BitOf(seat), Rules::kConcealedKong, {tile, tile, tile}), now);
    Draw(seat, true, now);
}

// A pung takes its fourth tile; a Red Dragon or the wild tile is laid aside
// as a kong of its own. Nobody may rob it.
void HandTable::SingleKong(int seat, Tile tile, Time now) {
    Rules::Hand& hand = hands_[seat];
    RemoveOne(hand.concealed, tile);
    const auto pung = std::find_if(hand.melds.begin(), hand.melds.end(), [tile](const Rules::Meld& meld) {
        return meld.kind == Rules::kPung && !meld.upgraded && meld.tiles[0] == tile;
    });
    if (pung != hand.melds.end())
        pung->upgraded = true;
    else if (tile == Rules::kRedDragon)
        ++hand.redDragonsAside;
    else
        ++hand.wildTilesAside;
    SendToAll(MeldMadePacket(BitOf(seat), Rules::kSingleKong, {0, 0, tile}), now);
    Draw(seat, true, now);
}

void HandTable::ResolveClaims(Time now) {
    std::array<int, 4> answers{};
    for (int seat = 0; seat < 4; ++seat) answers[seat] = claims_[seat].answer;
    const int discarder = turnSeat_;
    const int claimant = Rules::ClaimWinner(answers, discarder);
    const std::array<Tile, 2> chowTiles = claimant >= 0 ? claims_[claimant].chowTiles : std::array<Tile, 2>{};
    claims_ = {};
    if (claimant >= 0 && answers[claimant] == Rules::kWin) {
        Win(claimant, discarder, claimTile_, now);
    } else if (claimant >= 0) {
        ClaimDiscard(claimant, answers[claimant], chowTiles, now);
    } else if (wallFront_ >= wallBack_) {
        EndDrawn(now);
    } else {
        Draw((discarder + 1) % 4, false, now);
    }
}

void HandTable::ClaimDiscard(int seat, int operation, std::array<Tile, 2> chowTiles, Time now) {
    const Tile tile = claimTile_;
    discards_[turnSeat_].pop_back();
    Rules::Hand& hand = hands_[seat];
    std::array<Tile, 3> announced{tile, tile, tile};
    if (operation == Rules::kChow) {
        for (const Tile own : chowTiles) RemoveOne(hand.concealed, own);
        // The client shows the meld in the order it answered: its two tiles, then the discard.
        announced = {chowTiles[0], chowTiles[1], tile};
        std::array<Tile, 3> run = announced;
        std::sort(run.begin(), run.end());
        hand.melds.push_back({Rules::kChow, run});
    } else {
        const int taken = operation == Rules::kExposedKong ? 3 : 2;
        for (int k = 0; k < taken; ++k) RemoveOne(hand.concealed, tile);
        hand.melds.push_back({operation, {tile, tile, tile}});
    }
    Log(QStringLiteral("claim %1 %2 %3").arg(BitOf(seat)).arg(OperationName(operation), TileHex(tile)));
    SendToAll(MeldMadePacket(BitOf(seat), operation, announced), now);
    if (operation == Rules::kExposedKong) {
        Draw(seat, true, now);
        return;
    }
    drawnTile_ = 0;
    drawnFromBack_ = false;
    OpenTurn(seat, 0, now);
}

void HandTable::Win(int seat, int discarder, Tile tile, Time now) {
    if (discarder >= 0) {
        discards_[discarder].pop_back();
        hands_[seat].concealed.push_back(tile);
    }
    winner_ = seat;
    SendToAll(MeldMadePacket(BitOf(seat), Rules::kWin, {0, 0, tile}), now);
    HandOutcome outcome;
    outcome.winner = seat;
    outcome.discarder = discarder;
    outcome.hands = hands_;
    outcome.winningTile = tile;
    outcome.wild = wild_;
    outcome.dealer = dealer_;
    outcome.onKongReplacement = discarder < 0 && drawnFromBack_;
    settlement_ = SettleHand(outcome, settings_.moneyPerFan);
    Log(QStringLiteral("hand %1 end winner=%2 money=%3").arg(handNumber_).arg(BitOf(seat)).arg(MoneyText(settlement_)));
    SendResults(tile, now);
    FinishHand(seat == dealer_);
}

void HandTable::EndDrawn(Time now) {
    HandOutcome outcome;
    outcome.hands = hands_;
    outcome.wild = wild_;
    outcome.dealer = dealer_;
    settlement_ = SettleHand(outcome, settings_.moneyPerFan);
    Log(QStringLiteral("hand %1 end drawn").arg(handNumber_));
    SendResults(0, now);
    FinishHand(false);
}

// The tiles laid open, then every seat's total, then (after a win) the
// details: the client settles at the fourth detail and reads every total
// then; a drawn hand is settled by the four zero totals alone.
void HandTable::SendResults(Tile winningTile, Time now) {
    for (int seat = 0; seat < 4; ++seat)
        for (const GamePacket& packet :
             HandRevealedPackets(BitOf(seat), hands_[seat].concealed, seat == winner_ ? winningTile : 0))
            SendToAll(packet, now);
    for (int seat = 0; seat < 4; ++seat) SendToAll(SeatResultPacket(BitOf(seat), settlement_[seat].handTotal), now);
    if (winner_ < 0) return;
    for (int seat = 0; seat < 4; ++seat)
        SendToAll(ResultDetailPacket(BitOf(seat), settlement_[seat], levelTitles_[seat]), now);
}

void HandTable::FinishHand(bool dealerKeeps) {
    phase_ = Phase::Ended;
    dealerKeeps_ = dealerKeeps;
}

void HandTable::Abort() {
    if (!HandRunning()) return;
    Log(QStringLiteral("hand %1 aborted").arg(handNumber_));
    phase_ = Phase::Idle;
    dealerKeeps_ = true;
    claims_ = {};
}
