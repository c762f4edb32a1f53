#include "messages/ServerMessageDispatch.h"
#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "messages/LoginReplies.h"
#include "messages/DepartureHandlers.h"
#include "messages/MessageHandlers.h"
#include "messages/SeatingHandlers.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"

namespace {
void Dispatch(Client& c, GameMessage& msg) {
    switch (msg.MsgType) {
    case MessageType::DealTiles: HandleDealTiles(c, msg); break;
    case MessageType::TileDiscarded: HandleTileDiscarded(c, msg); break;
    case MessageType::SeatName: HandleSeatName(c, msg); break;
    case MessageType::HandStart: HandleHandStart(c, msg); break;
    case MessageType::TileDrawn: HandleTileDrawn(c, msg); break;
    case MessageType::ActionPrompt: HandleActionPrompt(c, msg); break;
    case MessageType::MeldMade: HandleMeldMade(c, msg); break;
    case MessageType::ClearHandMarks: HandleClearHandMarks(c, msg); break;
    case MessageType::SeatResult: HandleSeatResult(c, msg); break;
    case MessageType::WildTileSet: HandleWildTileSet(c, msg); break;
    case MessageType::HandRevealed: HandleHandRevealed(c, msg); break;
    case MessageType::GameAborted: HandleGameAborted(c, msg); break;
    case MessageType::ResultDetail: HandleResultDetail(c, msg); break;
    case MessageType::LoginReply: HandleLoginReply(c, msg); break;
    case MessageType::ChatLine: break;  // the packet decoder has shown the line already
    case MessageType::PlayerJoined: HandlePlayerJoined(c, msg); break;
    case MessageType::PlayerLeft: HandlePlayerLeft(c, msg); break;
    case MessageType::ServerNotice: HandleServerNotice(c, msg); break;
    case MessageType::PlayerReady: HandlePlayerReady(c, msg); break;
    case MessageType::ReconnectReply: HandleReconnectReply(c, msg); break;
    case MessageType::TableRebuild: HandleTableRebuild(c, msg); break;
    case MessageType::HandSetup: HandleHandSetup(c, msg); break;
    default: break;  // types the client does not know are ignored
    }
}
}  // namespace

void ProcessServerMessage(Client& c, GameMessage& msg) {
    if (msg.MsgType != MessageType::ReconnectReply) {
        c.transport.EchoBytes[0] = c.transport.PacketIn[PacketOffset::Echo];
        c.transport.EchoBytes[1] = c.transport.PacketIn[PacketOffset::Echo + 1];
    }
    try {
        Dispatch(c, msg);
    } catch (const RuntimeError& error) {
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("error while handling a message of type %1: %2")
                  .arg(msg.MsgType)
                  .arg(QString::fromStdString(error.what())));
    }
}

void RearmTable(Client& c) {
    ClearTable(c);
    LayoutWall(c);
    ResetHandState(c);
    c.table.TableCleared = true;
}
