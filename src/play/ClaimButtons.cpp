#include "play/ClaimButtons.h"
#include "table/Countdown.h"
#include "play/ClaimAnswers.h"
#include "play/HandSorting.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/ResourceIds.h"
#include "table/Sound.h"
#include "table/StackingOrder.h"
#include <functional>
#include <initializer_list>

namespace {
enum class KongKind { None, SingleKong, ExposedKong, ConcealedKong };

// The choice pictures stand at 0.8 of the own hand's tile size.
constexpr double kChoiceScale = 0.8;

void HideButtons(Client& c, std::initializer_list<int> indexes) {
    for (int k : indexes) c.mainForm->Operation[k]->setVisible(false);
}

int RunEnd(const Client& c) { return c.seatInfo[0].FirstConcealed + c.seatInfo[0].ConcealedCount; }

void StartChoiceCountdown(Client& c) {
    c.scheduler.TurnCountdownOn = true;
    c.scheduler.TurnCountdownTicks = 0;
    ShowCountdownFrom(c, c.table.TurnSeconds / 2);
}

// Gives a choice picture the own hand's large face of a tile at the choice size.
void ShowChoicePicture(Client& c, ImageControl& picture, int tile) {
    SetPictureFromResource(c, picture,
                           CheckedAt(c.resourceIds.TileImageIds, TilePicture(kOwnHandSet, tile), "TileImageIds"));
    picture.Move(picture.Left(), picture.Top(), kChoiceScale * c.table.TileWidth[0],
                 kChoiceScale * c.table.TileHeight[0]);
}

// The choice pictures stand in columns one own tile width apart that rise
// from the chow button's height, one picture height a row, so that no
// picture hides part of another.
void PlaceChoice(Client& c, ImageControl& picture, const ImageControl& firstColumn, int column, int row) {
    const TableState& t = c.table;
    picture.Move(firstColumn.Left() + column * t.TileWidth[0],
                 c.mainForm->Operation[0]->Top() - row * kChoiceScale * t.TileHeight[0]);
}

void RaiseChoice(ImageControl& picture) {
    picture.setVisible(true);
    BringToFront(picture);
    picture.setEnabled(true);
}

// The kong searches shared by the kong button and the computer player's pre-test.
// One-tile kongs: the first concealed tile matching each pung among the melds.
void FindPungAdditions(const Client& c, const std::function<void(int)>& add) {
    const SeatInfo& own = c.seatInfo[0];
    for (int i = 1; i <= own.MeldEnd - 5; i += 3) {
        if (OwnSlot(c, i).Flag != SlotFlag::Pung) continue;
        for (int j = own.FirstConcealed; j < RunEnd(c); ++j)
            if (OwnSlot(c, j).Tile == OwnSlot(c, i).Tile) {
                add(j);
                break;
            }
    }
}

// The first concealed slot holding the tile, -1 when there is none.
int FirstConcealedHolding(const Client& c, int tile) {
    for (int i = c.seatInfo[0].FirstConcealed; i < RunEnd(c); ++i)
        if (OwnSlot(c, i).Tile == tile) return i;
    return -1;
}

// The Red Dragon and the wild tile make one-tile kongs of their own, laid
// beside the melds rather than on a pung.
void FindLoneKongTiles(const Client& c, const std::function<void(int)>& add) {
    if (const int red = FirstConcealedHolding(c, kRedDragon); red >= 0) add(red);
    if (c.table.WildTile > 0 && c.table.WildTile != kRedDragon)
        if (const int wild = FirstConcealedHolding(c, c.table.WildTile); wild >= 0) add(wild);
}

// The kong on the discard: the first three concealed tiles equal to it.
void FindDiscardKong(const Client& c, const std::function<void(int)>& add) {
    for (int i = c.seatInfo[0].FirstConcealed; i <= RunEnd(c) - 3; ++i)
        if (OwnSlot(c, i).Tile == OwnSlot(c, i + 2).Tile && OwnSlot(c, i).Tile == c.table.LastDiscardTile) {
            add(i);
            return;
        }
}

// Concealed kongs: every run of four equal tiles in the sorted run.
void FindConcealedKongs(const Client& c, const std::function<void(int)>& add) {
    for (int i = c.seatInfo[0].FirstConcealed; i <= RunEnd(c) - 4; ++i)
        if (OwnSlot(c, i).Tile == OwnSlot(c, i + 3).Tile) add(i);
}

bool SendKong(Client& c, KongKind kind, int slot) {
    switch (kind) {
    case KongKind::SingleKong: SendSingleKong(c, slot); return true;
    case KongKind::ExposedKong: SendExposedKong(c, slot); return true;
    case KongKind::ConcealedKong: SendConcealedKong(c, slot); return true;
    case KongKind::None: break;
    }
    return false;
}
}  // namespace

void MainForm_Operation_Click(Client& c, int index) {
    TableState& t = c.table;
    PlayState& p = c.play;
    MainForm& f = *c.mainForm;
    if (CheckedAt(p.OperationState, index, "OperationState") < 2 || !c.connection.LoggedIn || t.PromptState > 0 ||
        t.SpectatorMode)
        return;
    t.PromptState = 2;
    p.OperationState.fill(0);
    SetPictureFromResource(c, *f.Operation[index], c.resourceIds.ActionButtonIds[3 * index]);
    f.Operation[index]->setEnabled(false);
    if (index <= 3) StopTurnCountdown(c);
    SetHandTileSize(c, 0);
    t.TimeoutStreak = 0;
    switch (index) {
    case 0:
        t.MustDiscard = false;
        HideButtons(c, {1, 2, 3, 4});
        PlayOwnVoice(c, VoiceClaim::Chow);
        StartChow(c, t.LastDiscardTile);
        break;
    case 1:
        t.MustDiscard = false;
        HideClaimButtons(c);
        PlayOwnVoice(c, VoiceClaim::Pung);
        SendPung(c, t.LastDiscardTile);
        break;
    case 2:
        t.MustDiscard = false;
        HideButtons(c, {0, 1, 3, 4});
        if (p.OfferedOps & OperationBit::ConcealedKong) SortHand(c, 0, c.seatInfo[0].ConcealedCount);
        StartKong(c);
        break;
    case 3:
        t.MustDiscard = false;
        SendWin(c);
        PlayOwnVoice(c, VoiceClaim::Win);
        HideClaimButtons(c);
        break;
    default:
        HideClaimButtons(c);
        // On the own turn the hand must still discard after declining.
        if (!IsOwnDiscardTurn(c)) StopTurnCountdown(c);
        SendPass(c);
        break;
    }
    ReleaseClaimButtons(c);
    t.PromptState = 1;
}

void StartChow(Client& c, int discardTile) {
    SetHandTileSizes(c);
    // The chow search has always taken the opposite tiles a pixel wider.
    SetTileSize(c, 2, 37, 50);
    SeatInfo& own = c.seatInfo[0];
    SortHand(c, 0, own.ConcealedCount);
    const int end = RunEnd(c);

    // Only the wild tiles that sort to the front of the run stand aside.
    own.WildCount = 0;
    for (int i = own.FirstConcealed; i < end && OwnSlot(c, i).Tile == c.table.WildTile; ++i) ++own.WildCount;

    const int suit = SuitBit(discardTile);
    int first = own.FirstConcealed + own.WildCount;
    while (first < end && SuitBit(OwnSlot(c, first).Tile) != suit) ++first;
    std::array<int, 10> count{};
    for (int i = first; i < end && SuitBit(OwnSlot(c, i).Tile) == suit; ++i)
        ++CheckedAt(count, Rank(OwnSlot(c, i).Tile), "rank");
    // cum[r]: tiles of rank r or lower; first + cum[r] − 1 is the last tile of rank r.
    std::array<int, 10> cum{};
    for (int r = 1; r <= 9; ++r) cum[r] = cum[r - 1] + count[r];

    auto& choices = c.play.ChowChoices;
    int n = 0;
    auto addPair = [&](int lowRank, int highRank) {
        choices[n] = static_cast<int16_t>(first + cum[lowRank] - 1);
        choices[n + 1] = static_cast<int16_t>(first + cum[highRank] - 1);
        n += 2;
    };
    const int r = Rank(discardTile);
    if (r >= 1 && r <= 9) {
        if (r > 2 && count[r - 2] > 0 && count[r - 1] > 0) addPair(r - 2, r - 1);
        if (r > 1 && r < 9 && count[r - 1] > 0 && count[r + 1] > 0) addPair(r - 1, r + 1);
        if (r < 8 && count[r + 1] > 0 && count[r + 2] > 0) addPair(r + 1, r + 2);
    }

    MainForm& f = *c.mainForm;
    if (n == 2) {
        f.Operation[0]->setVisible(false);
        SendChow(c, choices[0], choices[1]);
        return;
    }
    if (n > 2) {
        for (int k = 1; k <= 4; ++k) {
            f.Operation[k]->setVisible(false);
            f.Operation[k]->setEnabled(false);
        }
        for (int i = 0; i < n; ++i) {
            ImageControl& picture = *f.Chi[i];
            ShowChoicePicture(c, picture, OwnSlot(c, choices[i]).Tile);
            PlaceChoice(c, picture, *f.Operation[1], i % 2, i / 2);
            RaiseChoice(picture);
        }
    }
    // With no chow found the countdown still runs, so that the time-out move answers.
    StartChoiceCountdown(c);
}

void MainForm_Chi_Click(Client& c, int index) {
    if (c.table.PromptState == 3 || !c.connection.LoggedIn || c.table.SpectatorMode) return;
    auto& choices = c.play.ChowChoices;
    const int pair = 2 * (index / 2);
    CheckedAt(choices, pair + 1, "ChowChoices");
    c.scheduler.TurnCountdownOn = false;
    c.scheduler.TurnCountdownTicks = 0;
    choices[0] = choices[pair];
    choices[1] = choices[pair + 1];
    SendChow(c, choices[0], choices[1]);
    MainForm& f = *c.mainForm;
    for (ImageControl* picture : f.Chi) {
        picture->setEnabled(false);
        picture->setVisible(false);
    }
    f.Operation[0]->setVisible(false);
}

bool StartKong(Client& c) {
    MainForm& f = *c.mainForm;
    auto& choices = c.play.KongChoices;
    const int ops = c.play.OfferedOps;
    int b = 0;
    KongKind firstKind = KongKind::None;
    auto collect = [&](KongKind kind) {
        return [&, kind](int slot) {
            CheckedAt(choices, b, "KongChoices") = static_cast<int16_t>(slot);
            ShowChoicePicture(c, *CheckedAt(f.Gang, b, "Gang"), OwnSlot(c, slot).Tile);
            if (b == 0) firstKind = kind;
            ++b;
        };
    };
    if (ops & OperationBit::SingleKong) {
        FindPungAdditions(c, collect(KongKind::SingleKong));
        FindLoneKongTiles(c, collect(KongKind::SingleKong));
    }
    if (ops & OperationBit::ExposedKong) FindDiscardKong(c, collect(KongKind::ExposedKong));
    if (ops & OperationBit::ConcealedKong) FindConcealedKongs(c, collect(KongKind::ConcealedKong));

    if (c.table.PromptState == 3) return SendKong(c, firstKind, choices[0]);
    if (b == 1) {
        f.Operation[2]->setVisible(false);
        return SendKong(c, firstKind, choices[0]);
    }
    HideButtons(c, {0, 1, 3, 4});
    for (int i = 0; i < b; ++i) {
        ImageControl& picture = *f.Gang[i];
        PlaceChoice(c, picture, *f.Operation[3], 0, i);
        RaiseChoice(picture);
    }
    StartChoiceCountdown(c);
    return false;
}

void MainForm_Gang_Click(Client& c, int index) {
    if (c.table.PromptState == 3 || !c.connection.LoggedIn || c.table.SpectatorMode) return;
    const int k = CheckedAt(c.play.KongChoices, index, "KongChoices");
    c.scheduler.TurnCountdownOn = false;
    c.scheduler.TurnCountdownTicks = 0;
    MainForm& f = *c.mainForm;
    for (ImageControl* picture : f.Gang) {
        picture->setEnabled(false);
        picture->setVisible(false);
    }
    HideClaimButtons(c);

    const int ops = c.play.OfferedOps;
    const int end = RunEnd(c);
    const int tile = OwnSlot(c, k).Tile;
    if (ops & OperationBit::SingleKong) {
        PlayOwnVoice(c, VoiceClaim::Kong);
        const int neighbour = k + 1 < end ? k + 1 : k - 1;
        const bool loneKongTile = (tile == kRedDragon || tile == c.table.WildTile) &&
                                  !(k + 3 < end && tile == OwnSlot(c, k + 3).Tile);
        if (tile != OwnSlot(c, neighbour).Tile || loneKongTile) {
            c.play.KongChoices[0] = static_cast<int16_t>(k);
            SendSingleKong(c, k);
            return;
        }
    }
    if (k + 3 < end && (ops & OperationBit::ConcealedKong) && tile == OwnSlot(c, k + 3).Tile) {
        PlayOwnVoice(c, VoiceClaim::Kong);
        c.play.KongChoices[0] = static_cast<int16_t>(k);
        SendConcealedKong(c, k);
        return;
    }
    if (k + 2 < end && (ops & OperationBit::ExposedKong) && tile == OwnSlot(c, k + 2).Tile) {
        PlayOwnVoice(c, VoiceClaim::Kong);
        c.play.KongChoices[0] = static_cast<int16_t>(k);
        SendExposedKong(c, k);
    }
}

bool FindKongChoices(Client& c) {
    const SeatInfo& own = c.seatInfo[0];
    const int16_t wildTile = c.table.WildTile;
    int wild = 0;
    for (int i = own.FirstConcealed; i < RunEnd(c); ++i)
        if (OwnSlot(c, i).Tile == wildTile) ++wild;
    if (own.ConcealedCount < 6) return false;

    auto& choices = c.play.KongChoices;
    int j = 0;
    const auto add = [&](int slot) { CheckedAt(choices, j++, "KongChoices") = static_cast<int16_t>(slot); };
    const int ops = c.play.OfferedOps;
    if (ops & OperationBit::SingleKong) {
        if (const int red = FirstConcealedHolding(c, kRedDragon); red >= 0) add(red);
        FindPungAdditions(c, add);
    }
    if (ops & OperationBit::ExposedKong) FindDiscardKong(c, add);
    if (ops & OperationBit::ConcealedKong) FindConcealedKongs(c, add);
    bool onlyWildFirst = false;
    if (ops & OperationBit::SingleKong) {
        if (const int w = FirstConcealedHolding(c, wildTile); w >= 0) {
            onlyWildFirst = j == 0 && wild < 2;
            add(w);
        }
    }
    return onlyWildFirst;
}
