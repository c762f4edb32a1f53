#include "wire/PacketTransport.h"
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "platform/AnsiCodec.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include <QDebug>
#include <algorithm>

namespace {
constexpr int kMaxChatChars = 100;

// The send ring keeps one packet's room free: a full ring would read as empty.
constexpr int32_t kSendRingCapacity = kRingSize - kPacketSize;
// The receive ring keeps one byte free for the same reason.
constexpr int32_t kReceiveRingCapacity = kRingSize - 1;

// The name extends the seat's entry: the table resets empty the entries
// before a seating names its four seats.
void DecodeSeatName(Client& c) {
    const uint8_t* field = c.transport.PacketIn.data() + PacketOffset::Payload;
    c.table.SeatNames[BitToIndex(c.transport.CurrentMessage.SeatBit)] += AccountField::Decode(field);
}

QByteArray ChatPayload(const QString& text) {
    QByteArray payload;
    for (QChar ch : text.left(kMaxChatChars)) payload += AnsiCodec::CharToAnsi(ch);
    return payload;
}
}  // namespace

int32_t WaitingBytes(int32_t read, int32_t write) { return (write - read + kRingSize) % kRingSize; }

void DropPartialPacket(TransportState& t) {
    const int32_t waiting = WaitingBytes(t.ReceiveRead, t.ReceiveWrite);
    t.ReceiveWrite = (t.ReceiveRead + waiting - waiting % kPacketSize) % kRingSize;
}

void AppendToReceiveRing(Client& c, const QByteArray& bytes) {
    TransportState& t = c.transport;
    for (char byte : bytes) {
        t.ReceiveRing[t.ReceiveWrite] = static_cast<uint8_t>(byte);
        t.ReceiveWrite = (t.ReceiveWrite + 1) % kRingSize;
        if (t.ReceiveWrite == t.ReceiveRead) RingOverflow(c, "receive ring");
    }
    c.scheduler.ReceiveJobOn = true;
    c.scheduler.ReceiveJobTicks = 0;
}

void PullReceivedBytes(Client& c) {
    const TransportState& t = c.transport;
    const QByteArray bytes = c.Winsock1.GetData(kReceiveRingCapacity - WaitingBytes(t.ReceiveRead, t.ReceiveWrite));
    if (!bytes.isEmpty()) AppendToReceiveRing(c, bytes);
}

void RingOverflow(Client& c, const char* ring) {
    RestoreLobbyWindow(c);
    c.End(QStringLiteral("%1 overflowed").arg(QLatin1String(ring)));
}

qint64 ReceivedBytesWaiting(Client& c) {
    return WaitingBytes(c.transport.ReceiveRead, c.transport.ReceiveWrite) + c.Winsock1.BytesWaiting();
}

void MainForm_Winsock1_Close(Client& c) { c.Winsock1.Close(); }

void ReadPacket(Client& c) {
    TransportState& t = c.transport;
    const int32_t start = t.ReceiveRead;
    // Packets never wrap: the ring holds a whole number of them and they are
    // always taken from a packet boundary.
    std::copy_n(t.ReceiveRing.begin() + start, kPacketSize, t.PacketIn.begin());
    t.ReceiveRead = (start + kPacketSize) % kRingSize;
    t.CurrentMessage = DecodeGamePacket(t.PacketIn.data());
    try {
        if (t.CurrentMessage.MsgType == MessageType::SeatName) DecodeSeatName(c);
        else if (t.CurrentMessage.MsgType == MessageType::ChatLine) c.upward.showReceivedChat(c);
    } catch (const RuntimeError&) {
        c.platform.dialogs->MsgBox(QStringLiteral("接受数据错误，请重新入座！"), Dialogs::OkOnly, kDefaultDialogTitle);
    }
}

void SendPacket(Client& c, GameMessage& message) {
    TransportState& t = c.transport;
    QByteArray payload;
    if ((message.MsgType & 255) == MessageType::ChatLine) {
        if (t.ChatOutText.isEmpty()) return;
        payload = ChatPayload(t.ChatOutText);
        t.ChatOutText.clear();
    }
    if (WaitingBytes(t.SendRead, t.SendWrite) >= kSendRingCapacity) {
        qWarning("send queue full: a packet of type %d was dropped", int(message.MsgType));
        return;
    }
    const GamePacket packet = EncodeGamePacket(message, payload, t.EchoBytes);
    for (uint8_t byte : packet) {
        t.SendRing[t.SendWrite] = byte;
        t.SendWrite = (t.SendWrite + 1) % kRingSize;
    }
    c.scheduler.SendJobOn = true;
    c.scheduler.SendJobTicks = 0;
}
