#include "table/SeatRecords.h"
#include "shared/Client.h"
#include "table/MainForm.h"

namespace {
enum class Reset { Hand, Game };

void ResetTableState(Client& c, Reset kind) {
    TableState& t = c.table;
    for (int s = 0; s < 4; ++s) {
        SeatInfo& seat = c.seatInfo[s];
        seat.WinTotal = 0;
        seat.DealerFlag = 0;
        for (TileSlot& slot : seat.Slots) {
            slot.Flag = 0;
            slot.Image = -1;
        }
        seat.FirstConcealed = 4;
        seat.ConcealedCount = 0;
        seat.WildCount = 0;
        seat.RedKongCount = 0;
        seat.WildKongCount = 0;
        seat.MeldEnd = s == 0 ? 3 : 4;
        c.handResult[s][16] = 0;
        t.HandScore[s] = 0;
        t.SeatNames[s].clear();
    }
    t.WildTile = -1;
    t.DrawFromFront = true;
    t.MustDiscard = false;
    t.SeatMsgCount = 0;
    t.RebuildMsgCount = 0;
    if (kind == Reset::Game) {
        TransportState& r = c.transport;
        r.ReceiveRead = r.ReceiveWrite = r.SendRead = r.SendWrite = 0;
    }
    for (auto& hand : t.RevealedHand) hand.fill(0);
    if (kind == Reset::Hand) c.mainForm->Label3->SetCaption(QString());
    t.RightDiscardImages.fill(0);
    t.RightDiscardCount = 0;
    for (auto& images : t.SingleKongImages) images.fill(0);
    t.WinnerSeat = -1;
    t.SeatResultCount = 0;
    t.InGame = false;
}
}  // namespace

void ResetHandState(Client& c) { ResetTableState(c, Reset::Hand); }

void ResetGameState(Client& c) { ResetTableState(c, Reset::Game); }
