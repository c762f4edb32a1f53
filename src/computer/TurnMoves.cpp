#include "computer/TurnMoves.h"
#include "computer/HandEvaluation.h"
#include "computer/MoveChoice.h"
#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "play/CentreDiscard.h"
#include "play/ClaimAnswers.h"
#include "play/ClaimButtons.h"
#include "play/HandSorting.h"
#include "play/OwnDiscard.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "table/TileAccess.h"

namespace {
// A run of concealed tiles that would reach past the seat's slots cannot be
// played from; the move then only declines the prompt.
bool ConcealedRunFits(const Client& c) {
    const SeatInfo& own = c.seatInfo[0];
    return own.FirstConcealed >= 0 && own.ConcealedCount >= 0 &&
           own.FirstConcealed + own.ConcealedCount <= static_cast<int>(own.Slots.size());
}

bool Offered(const Client& c, int operation) {
    return c.play.OperationState[operation] == 2 && !c.table.AnswerSent;
}

// Claim buttons' operation numbers.
constexpr int kChow = 0, kPung = 1, kKong = 2, kWin = 3;

// On another seat's discard the won tile joins the right end of the hand.
void TakeWinningDiscard(Client& c) {
    TableState& t = c.table;
    const SeatInfo& own = c.seatInfo[0];
    ImageControl& won = TileImage(c, t.LastDiscardImage);
    const ImageControl& last = TileImage(c, OwnSlot(c, own.FirstConcealed + own.ConcealedCount - 1).Image);
    won.Move(last.Left() + t.TileWidth[0], own.HandY, t.TileWidth[0], t.TileHeight[0]);
    ShowTileImage(c, t.LastDiscardImage, TilePicture(0, t.LastDiscardTile));
}

bool ClaimWin(Client& c) {
    if (!Offered(c, kWin)) return false;
    c.table.AnswerSent = true;
    PlayOwnVoice(c, VoiceClaim::Win);
    SetHandTileSize(c, 0);
    if (!IsOwnDiscardTurn(c)) TakeWinningDiscard(c);
    SendWin(c);
    return true;
}

bool InWeakSuit(const Client& c, int tile) { return SuitIndex(tile) == c.computer.WeakSuit; }

// A kong is declared only when it does not first of all lay down the only
// wild tile and the hand is close to complete.
bool ClaimKong(Client& c) {
    if (!Offered(c, kKong) || InWeakSuit(c, c.table.LastDiscardTile) || FindKongChoices(c) || !IsHandNearlyReady(c))
        return false;
    c.table.AnswerSent = true;
    if (c.play.OfferedOps & OperationBit::ConcealedKong) SortHand(c, 0, c.seatInfo[0].ConcealedCount);
    if (StartKong(c)) return true;
    // The kong search found nothing to declare: the prompt is still open.
    c.table.AnswerSent = false;
    return false;
}

bool ClaimPung(Client& c) {
    const int tile = c.table.LastDiscardTile;
    if (!Offered(c, kPung) || InWeakSuit(c, tile) || !ShouldClaim(c, 2, tile)) return false;
    c.table.AnswerSent = true;
    PlayOwnVoice(c, VoiceClaim::Pung);
    SendPung(c, c.computer.ClaimTile1);
    return true;
}

// A chow of the weak suit is still judged on its merits.
bool ClaimChow(Client& c) {
    if (!Offered(c, kChow) || !ShouldClaim(c, 1, c.table.LastDiscardTile)) return false;
    c.table.AnswerSent = true;
    PlayOwnVoice(c, VoiceClaim::Chow);
    auto& chosen = c.play.ChowChoices;
    chosen[0] = c.computer.ClaimTile1;
    chosen[1] = c.computer.ClaimTile2;
    SendChow(c, chosen[0], chosen[1]);
    return true;
}

void DiscardChosenTile(Client& c) {
    const int16_t tile = ChooseDiscard(c);
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot)
        if ((OwnSlot(c, slot).Tile & 0xFF) == tile) return DiscardOwnSlot(c, slot);
}

void PlayForTheUser(Client& c) {
    if (!ConcealedRunFits(c)) {
        ClearClaimControls(c);
        SendPass(c);
        return;
    }
    ComputerState& k = c.computer;
    if (k.WeakSuitStale == 1) {
        FindWeakSuit(c);
        k.WeakSuitStale = 0;
    }
    ClearClaimControls(c);
    // A claim answers the prompt; its discard comes at a later prompt.
    if (ClaimWin(c) || ClaimKong(c) || ClaimPung(c) || ClaimChow(c)) return;
    SendPass(c);
    if (IsOwnDiscardTurn(c)) DiscardChosenTile(c);
}

void PassAndDiscardLastTile(Client& c) {
    ClearClaimControls(c);
    SendPass(c);
    if (!ConcealedRunFits(c) || !IsOwnDiscardTurn(c)) return;
    TableState& t = c.table;
    SeatInfo& own = c.seatInfo[0];
    t.MustDiscard = false;
    SetDiscardTileSize(c, 0);
    const TileSlot& last = OwnSlot(c, own.FirstConcealed + own.ConcealedCount - 1);
    SendDiscard(c, last.Tile);
    t.LastDiscardImage = last.Image;
    t.LastDiscarder = 0;
    LayDiscardInCentre(c, 0, last.Image, last.Tile);
    --own.ConcealedCount;
}

// A run-time error in a move gives the lobby back and ends the program.
void Trapped(Client& c, const char* move, void (*play)(Client&)) {
    try {
        play(c);
    } catch (const RuntimeError& error) {
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("error in the %1: %2").arg(QLatin1String(move), QString::fromStdString(error.what())));
    }
}
}  // namespace

void AutoPlayTurn(Client& c) { Trapped(c, "auto-play move", PlayForTheUser); }

void TimeoutPlayTurn(Client& c) { Trapped(c, "time-out move", PassAndDiscardLastTile); }
