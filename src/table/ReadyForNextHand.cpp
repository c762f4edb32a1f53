#include "table/ReadyForNextHand.h"
#include "wire/PacketTransport.h"
#include "shared/Client.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"

void ClearTableForNextHand(Client& c) {
    if (c.table.TableCleared) return;
    ClearTable(c);
    LayoutWall(c);
    // This also empties both packet rings, so it comes before the ready
    // message is queued.
    ResetGameState(c);
    c.table.TableCleared = true;
}

void SendReadyMessage(Client& c) {
    GameMessage ready;
    ready.MsgType = MessageType::ReadyOrLeave;
    ready.SeatBit = c.seatInfo[0].SeatBit;
    ready.Param[3] = 1;
    SendPacket(c, ready);
}
