#pragma once
#include "platform/VideoFrame.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

// The video relay's wire format, shared by the relay and the peer socket.
// Every message, either way: a 4-byte big-endian length N, then N bytes: one
// type byte and the body.

enum class RelayType : uint8_t {
    // Client to relay.
    Login = 0x01,   // the account
    Link = 0x02,    // slot, the peer's account
    Unlink = 0x03,  // slot
    Data = 0x04,    // slot, kind, payload
    // Relay to client.
    LoginResult = 0x81,  // 16-bit code
    State = 0x82,        // slot, 16-bit state
    PeerData = 0x84,     // the receiver's slot, kind, payload
};

enum class RelayDataKind : uint8_t { Frame = 1, Format = 2, Mode = 3 };

// LOGIN, LINK, ... as reasons and logs name them.
QString RelayTypeName(RelayType type);

namespace RelayLimits {
constexpr int MaxSlot = 8;
constexpr qsizetype MaxAccountBytes = 64;
constexpr qsizetype MaxFormatBytes = 64;
constexpr qsizetype ModeBytes = 2;
constexpr qsizetype LengthBytes = 4;
// Type, slot and kind, then the largest payload.
constexpr qsizetype MaxMessageBytes = 1 + 1 + 1 + VideoFrame::MaxBytes;
}  // namespace RelayLimits

// One message. Fields a type does not carry stay at their defaults, so that
// equal messages compare equal.
struct RelayMessage {
    RelayType type = RelayType::Login;
    uint8_t slot = 0;
    RelayDataKind kind = RelayDataKind::Frame;
    uint16_t number = 0;  // LoginResult's code, State's state
    QByteArray bytes;     // the account of Login and Link, the payload of Data and PeerData

    bool operator==(const RelayMessage&) const = default;
};

RelayMessage RelayLogin(const QByteArray& account);
RelayMessage RelayLink(uint8_t slot, const QByteArray& account);
RelayMessage RelayUnlink(uint8_t slot);
RelayMessage RelayData(uint8_t slot, RelayDataKind kind, const QByteArray& payload);
RelayMessage RelayLoginResult(uint16_t code);
RelayMessage RelayState(uint8_t slot, uint16_t state);
RelayMessage RelayPeerData(uint8_t slot, RelayDataKind kind, const QByteArray& payload);

// A capture mode travels as a 16-bit big-endian payload.
QByteArray ModePayload(int16_t mode);
int16_t ModeOfPayload(QByteArrayView payload);

// The length prefix and the message. The caller keeps within the caps.
QByteArray EncodeRelayMessage(const RelayMessage& message);
// Type byte and body (without the length); the reason when they break the format.
std::variant<RelayMessage, QString> DecodeRelayMessage(QByteArrayView message);

// Cuts a byte stream into messages however TCP splits or merges them. A
// length of 0 or over the largest message is an error as soon as its four
// bytes are in, so no more than one message and the last delivery are ever held.
class RelayReader {
public:
    void Append(QByteArrayView bytes);
    // The next whole message; none while more bytes are needed or once the stream is broken.
    std::optional<RelayMessage> Next();
    // Why the stream is broken; empty while it is fine.
    const QString& Error() const { return error_; }

private:
    QByteArray pending_;
    qsizetype start_ = 0;
    QString error_;
};
