#include "messages/DepartureHandlers.h"
#include "video/VideoPanels.h"
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "messages/PlayerInfoRecord.h"
#include "messages/ServerMessageDispatch.h"
#include "platform/AnsiCodec.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/MainForm.h"
#include "table/SeatLabels.h"
#include "table/StackingOrder.h"
#include <QTime>
#include <algorithm>
#include "table/BarButtons.h"

namespace {
constexpr int kNoticeLength = 200;
constexpr uint8_t kAllSeats = 15;
const QString kSpectatorEnds = QStringLiteral("有用户退出，旁观结束！");

QString AccountName(const std::array<uint8_t, kPacketSize>& packet) {
    return AccountField::Decode(packet.data() + PacketOffset::Payload);
}

// Bytes 16 to 215 up to the first zero, a byte of 0x80 or more taking the
// next byte as its trail (byte 216 for a lead byte at 215).
QString NoticeText(const std::array<uint8_t, kPacketSize>& packet) {
    QByteArray bytes;
    for (int i = PacketOffset::Payload; i < PacketOffset::Payload + kNoticeLength && packet[i] != 0; ++i) {
        const bool leadByte = packet[i] >= 0x80;
        if (leadByte && packet[i + 1] == 0) break;
        bytes += char(packet[i]);
        if (leadByte) bytes += char(packet[++i]);
    }
    return AnsiCodec::FromAnsi(bytes);
}

QString ClockTime() {
    const QTime now = QTime::currentTime();
    return QStringLiteral("%1:%2:%3").arg(now.hour()).arg(now.minute()).arg(now.second());
}

void WriteUpperTicker(Client& c, const QString& text) {
    c.mainForm->Sysmsg[0]->clear();
    c.mainForm->Sysmsg[0]->addItem(text);
}

[[noreturn]] void EndSpectating(Client& c) {
    c.platform.dialogs->MsgBox(kSpectatorEnds, Dialogs::OkOnly, kDefaultDialogTitle);
    c.End(QStringLiteral("a player left the watched table"));
}

int LocalSeat(const Client& c, uint8_t seatBit) { return LocalSeatOf(c.seatInfo[0].SeatBit, seatBit); }

// Empties the seat of the account and closes its peer link.
void ForgetDepartedPlayer(Client& c, const QString& name) {
    for (int s = 1; s <= 3; ++s) {
        if (c.seatInfo[s].Account != name) continue;
        c.table.TableCleared = false;
        --c.table.PlayerCount;
        const QString nickName = c.playerInfo[s].NickName;
        VacateSeat(c, s);
        WriteUpperTicker(c, nickName + QStringLiteral("退出了游戏 ") + ClockTime());
        ResetSeatVideo(c, s);
    }
    // The send counters count by peer slot: the closed slot's starts afresh.
    for (int16_t slot = 1; slot <= 3; ++slot) {
        if (c.P2PSocket1.UserID(slot) != name) continue;
        c.P2PSocket1.ClosePeer(slot);
        c.video.FrameSendCounter[slot] = 0;
    }
}

void PlayersLeft(Client& c, uint8_t present) {
    if (present == kAllSeats) return;
    const uint8_t gone = kAllSeats - present;
    c.scheduler.ReadyCountdownOn = false;
    c.table.InGame = false;
    c.table.MustLeaveTable = true;
    c.table.KeepWindowOnDrop = true;
    if (LocalSeat(c, gone) == 0) {
        c.Winsock1.Close();
        c.mainForm->close();
        c.End(QStringLiteral("the server counts this seat as gone"));
    }
    c.table.TableCleared = false;
    QString names;
    for (uint8_t bit = 1; bit <= 8; bit <<= 1) {
        if (!(gone & bit)) continue;
        names += c.playerInfo[LocalSeat(c, bit)].NickName + QLatin1Char(',');
        --c.table.PlayerCount;
    }
    for (int s = 1; s <= 3; ++s) VacateSeat(c, s);
    MainForm& f = *c.mainForm;
    f.Sysmsg[1]->clear();
    WriteUpperTicker(c, names + QStringLiteral("退出了游戏！ ") + ClockTime());
    f.Sysmsg[1]->addItem(names + QStringLiteral("请退出重新开始游戏."));
    c.Hero().setVisible(true);
    c.Hero().show();
    SleepSeconds(c, 2);
    c.table.HandNumber = 0;
    c.upward.showTableClosedNotice(c, QStringLiteral("玩家") + names + QStringLiteral("退出了游戏！游戏结束！"));
    c.Winsock1.Close();
    c.upward.sendLeaveTable(c);
    if (c.table.SpectatorMode) EndSpectating(c);
}

void DealerNamed(Client& c, uint8_t dealerBit) {
    c.mainForm->Zhuang->SetCaption(QStringLiteral("北西南东北西南").mid(BitToIndex(dealerBit), 1));
    for (SeatInfo& seat : c.seatInfo) {
        if (seat.SeatBit != dealerBit) continue;
        seat.DealerFlag = -1;  // true
        return;
    }
}

void TooFewCoins(Client& c, uint8_t stillEnough) {
    c.table.HandNumber = 0;
    c.table.InGame = false;
    c.table.MustLeaveTable = true;
    c.table.KeepWindowOnDrop = true;
    const uint8_t poor = kAllSeats - stillEnough;
    const uint8_t ownBit = c.seatInfo[0].SeatBit;
    QStringList others;
    for (uint8_t bit = 1; bit <= 8; bit <<= 1)
        if ((poor & bit) && bit != ownBit) others << c.playerInfo[LocalSeat(c, bit)].NickName;
    const QString list = others.join(QStringLiteral("，"));
    const QString named = list.isEmpty() ? QString() : QStringLiteral("玩家") + list;
    const QString own = (poor & ownBit) ? QStringLiteral("，") + c.seatInfo[0].Account : QString();
    WriteUpperTicker(c, QStringLiteral("玩家") + list + own + QStringLiteral("金币不够，退出游戏！"));
    c.scheduler.ReadyCountdownOn = false;
    for (int s = 1; s <= 3; ++s) {
        if (!(c.seatInfo[s].SeatBit & poor)) continue;
        c.table.TableCleared = false;
        --c.table.PlayerCount;
        VacateSeat(c, s);
    }
    if (!c.mainForm->IsMinimized()) {
        c.Score().show();
        c.Score().setVisible(true);
    }
    c.scheduler.WatchJobOn = false;
    c.Winsock1.Close();
    SleepSeconds(c, 2);
    QString notice;
    if (own.isEmpty())
        notice = named + QStringLiteral("的金币不够，退出游戏！游戏结束！");
    else if (named.isEmpty())
        notice = QStringLiteral("您的金币不够，退出游戏！游戏结束！");
    else
        notice = named + QStringLiteral("以及您的金币不够，退出游戏！游戏结束！");
    c.upward.showTableClosedNotice(c, notice);
    c.upward.sendLeaveTable(c);
    if (c.table.SpectatorMode) EndSpectating(c);
}
}  // namespace

void VacateSeat(Client& c, int s) {
    c.mainForm->OK[s]->setVisible(false);
    ClearSeatLabels(c, s);
    c.seatInfo[s].Account.clear();
    BlankPlayerInfo(c.playerInfo[s]);
}

void HandlePlayerLeft(Client& c, GameMessage&) {
    const QString name = AccountName(c.transport.PacketIn);
    if (name == c.seatInfo[0].Account) {
        // A spectator's own seat is the watched player's: the watch ends, with its message.
        if (c.table.SpectatorMode) EndSpectating(c);
        c.End(QStringLiteral("the server says this player left"));
    }
    c.scheduler.ReadyCountdownOn = false;
    // An empty name names no seat and no peer: a free seat's account is empty too.
    if (!name.isEmpty()) ForgetDepartedPlayer(c, name);
    if (c.table.SpectatorMode) EndSpectating(c);
}

void HandlePlayerReady(Client& c, GameMessage& msg) {
    const QString name = AccountName(c.transport.PacketIn);
    MainForm& f = *c.mainForm;
    if (msg.Param[3] == 1) {
        for (int i = 0; i < 4; ++i) {
            if (f.Nid[i]->Caption().isEmpty() || c.seatInfo[i].Account != name) continue;
            f.OK[i]->setVisible(true);
            BringToFront(*f.OK[i]);
        }
    }
    const bool othersReady = f.OK[1]->isVisible() && f.OK[2]->isVisible() && f.OK[3]->isVisible();
    if (!othersReady || c.table.HandStarted <= 0) return;
    SetPictureFromResource(c, *f.AnNiu[2], c.resourceIds.BarButtonIds[kContinuePictureEntry]);
    RearmTable(c);
}

void HandleGameAborted(Client& c, GameMessage& msg) {
    const uint8_t seats = msg.SeatBit & kAllSeats;
    switch (msg.Param[3] & 0xFF) {
    case 0: return;
    case 1: return PlayersLeft(c, seats);
    case 2: return DealerNamed(c, seats);
    default: return TooFewCoins(c, seats);
    }
}

void HandleServerNotice(Client& c, GameMessage&) {
    c.scheduler.WatchJobOn = false;
    c.scheduler.ReadyCountdownOn = false;
    c.table.InGame = false;
    SleepSeconds(c, 2);
    c.table.KeepWindowOnDrop = true;
    const QString text = NoticeText(c.transport.PacketIn);
    for (ImageControl* portrait : c.mainForm->Tou) portrait->SetPicture(QPixmap());
    c.upward.showTableClosedNotice(c, text);
    c.table.MustLeaveTable = true;
    c.upward.sendLeaveTable(c);
}
