#include "messages/SeatingHandlers.h"
#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "messages/PlayerInfoRecord.h"
#include "messages/PortraitIndex.h"
#include "messages/SeatOrder.h"
#include "messages/ServerMessageDispatch.h"
#include "messages/WatchSeating.h"
#include "results/HandHistory.h"
#include "shared/NumberText.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/StackingOrder.h"
#include "video/OwnCamera.h"
#include "video/VideoPanels.h"
#include "video/VideoWindow.h"
#include <algorithm>
#include <optional>
#include "table/BarButtons.h"

namespace {
constexpr int kNamesOfASeating = 4;
constexpr int kStartButton = 2;
constexpr int kFullTable = 3;
constexpr uint8_t kOwnRecord = 15;
constexpr uint8_t kSeatToBeFound = 0;
constexpr int kVideoLinked = 10;

// The own seat takes the server index whose name is the own account; the
// other local seats follow it counter-clockwise.
void TakeSeatOrderFromNames(Client& c) {
    const auto& names = c.table.SeatNames;
    for (int i = 3; i >= 0; --i) {
        if (names[i] != c.seatInfo[0].Account) continue;
        for (int j = 0; j < 4; ++j) {
            SeatInfo& seat = c.seatInfo[j];
            seat.SeatBit = static_cast<uint8_t>(IndexToBit(static_cast<int16_t>((i + 4 - j) % 4)));
            seat.Account = names[BitToIndex(seat.SeatBit)];
        }
        return;
    }
}

// The table re-arm clears the counter that a seating shares with the table
// rebuild; the record that re-arms the table may be the one that completes
// the seating, which must still close it (wind draw, compass and voices).
void RearmKeepingTheSeating(Client& c) {
    const int16_t seatingMessages = c.table.SeatMsgCount;
    RearmTable(c);
    if (c.table.SeatOrderPending) c.table.SeatMsgCount = seatingMessages;
}

// Every remote seat's video closes; it reopens with that seat's next frame.
void ResetRemoteVideo(Client& c) {
    for (int k = 1; k <= 3; ++k) {
        CloseSeatVideo(c, k);
        UnloadVideoWindow(c, k);
    }
}

// The slot already linked to the account wins; failing that the last free
// slot; failing that the seat's own number.
void RequestVideoLink(Client& c, int seat) {
    P2PSocket& peers = c.P2PSocket1;
    const QString& account = c.seatInfo[seat].Account;
    int16_t slot = static_cast<int16_t>(seat);
    for (int16_t k = 1; k <= 3; ++k) {
        if (peers.UserID(k) == account) {
            slot = k;
            break;
        }
        if (peers.PeerState(k) <= 0) slot = k;
    }
    if (peers.PeerState(slot) < kVideoLinked && slot <= peers.PeerCount) peers.RequestVideo(slot, account);
}

// A player the server gives no seat takes the first free one; an empty
// nickname label marks a free seat. Nothing for a player already seated or
// when every other seat is taken.
std::optional<int> SeatForNewPlayer(Client& c, const QString& account) {
    const MainForm& f = *c.mainForm;
    if (c.table.PlayerCount <= 0) return 1;
    for (int k = 1; k <= 3; ++k)
        if (!f.Nid[k]->Caption().isEmpty() && c.seatInfo[k].Account == account) return std::nullopt;
    for (int k = 1; k <= 3; ++k)
        if (f.Nid[k]->Caption().isEmpty()) return k;
    return std::nullopt;
}

void CountNewPlayer(Client& c, int seat) {
    if (seat != 0 && c.video.VideoLoginOk) RequestVideoLink(c, seat);
    if (++c.table.PlayerCount != kFullTable) return;
    MainForm& f = *c.mainForm;
    f.Restore();
    MinimizeLobbyWindow(c);
    f.raise();
    f.activateWindow();
}

void ShowPortrait(QLabel& label, int resourceId) {
    const QPixmap picture = PictureOfResource(resourceId);
    if (!picture.isNull()) label.setPixmap(picture);
}

bool OthersReady(const MainForm& f) {
    return f.OK[1]->isVisible() && f.OK[2]->isVisible() && f.OK[3]->isVisible();
}

// A spectator keeps the records until the fourth, which seats it; a record
// beyond the fourth has no place and is dropped.
bool GatherSpectatorRecord(Client& c) {
    auto& gathered = c.table.SpectatorInfoPackets;
    const auto empty = std::find_if(gathered.begin(), gathered.end(), [](const auto& record) { return record[3] == 0; });
    if (empty == gathered.end()) return false;
    *empty = c.transport.PacketIn;
    if (empty != gathered.end() - 1) return false;
    SetupSpectatorView(c);
    return true;
}
}  // namespace

void HandleSeatName(Client& c, GameMessage&) {
    TableState& t = c.table;
    MainForm& f = *c.mainForm;
    if (!t.SpectatorMode) c.TimerKeepAlive.SetEnabled(false);
    HeroWindow& hero = c.Hero();
    hero.Num->clear();
    for (int i = 0; i < 4; ++i) {
        f.OK[i]->setVisible(false);
        hero.Grade[i]->clear();
    }
    t.HandNumber = 0;
    ++t.SeatMsgCount;
    t.SeatOrderPending = true;
    StartHandHistory(c);
    t.TotalScore.fill(0);
    if (t.SeatMsgCount != kNamesOfASeating) return;
    t.SeatMsgCount = 0;
    SetPictureFromResource(c, *f.AnNiu[kStartButton], c.resourceIds.BarButtonIds[kContinuePictureEntry]);
    c.window.AnNiuUsed[kStartButton] = true;
    TakeSeatOrderFromNames(c);
}

void HandlePlayerJoined(Client& c, GameMessage& msg) {
    TableState& t = c.table;
    MainForm& f = *c.mainForm;
    const auto& packet = c.transport.PacketIn;
    msg.SeatBit &= 15;
    t.MustLeaveTable = false;
    if (t.SpectatorMode && !GatherSpectatorRecord(c)) return;
    const QString account = RecordAccount(packet);
    if (t.SeatOrderPending) ++t.SeatMsgCount;

    int seat = 0;
    switch (msg.SeatBit) {
    case kOwnRecord: c.window.AnNiuUsed[kStartButton] = false; break;
    case 1:
    case 2:
    case 4:
    case 8:
        ResetRemoteVideo(c);
        // The own seat under its real bit only completes the seating.
        if (msg.SeatBit == c.seatInfo[0].SeatBit) {
            ResolveSeatOrder(c);
            return;
        }
        seat = LocalSeatOf(c.seatInfo[0].SeatBit, msg.SeatBit);
        break;
    case kSeatToBeFound: {
        const std::optional<int> found = SeatForNewPlayer(c, account);
        if (!found) return;
        seat = *found;
        break;
    }
    default: break;  // taken as the own record
    }

    c.seatInfo[seat].Account = account;
    if (msg.SeatBit == kSeatToBeFound) CountNewPlayer(c, seat);
    if (seat == 0 && !c.video.CaptureOn) StartOwnCamera(c, false);
    if (packet[PlayerRecordOffset::ReadyFlag] == 1) {
        f.OK[seat]->setVisible(true);
        BringToFront(*f.OK[seat]);
    }
    ParsePlayerInfo(c.playerInfo[seat], packet);
    if (OthersReady(f) && t.HandStarted > 0) {
        SetPictureFromResource(c, *f.AnNiu[kStartButton], c.resourceIds.BarButtonIds[kContinuePictureEntry]);
        RearmKeepingTheSeating(c);
    }
    ShowSeatPlayer(c, seat, PortraitIndexOf(c.playerInfo[seat].Avatar));
    if (t.PlayerCount == kFullTable && !t.TableCleared) {
        RearmKeepingTheSeating(c);
        f.Sysmsg[0]->clear();
        f.Sysmsg[0]->addItem(QStringLiteral("游戏将在15秒内开始"));
    }
    ResolveSeatOrder(c);
}

void ShowSeatPlayer(Client& c, int seat, int portraitIndex) {
    MainForm& f = *c.mainForm;
    const PlayerInfo& player = c.playerInfo[seat];
    const int portrait = CheckedAt(c.resourceIds.PortraitIds, portraitIndex, "PortraitIds");
    SetPictureFromResource(c, *f.Tou[seat], portrait);
    f.Nid[seat]->SetCaption(QStringLiteral("[%1] %2").arg(player.NameTag, player.NickName));
    f.Cash[seat]->SetCaption(NumberText(player.Money) + QStringLiteral("金币"));
    f.Level[seat]->SetCaption(player.LevelTitle);
    c.Score().ID[seat]->setText(player.NickName);
    ShowPortrait(*c.Score().Tou[seat], portrait);
    c.Hero().ID[seat]->setText(player.NickName);
    ShowPortrait(*c.Hero().Tou[seat], portrait);
}
