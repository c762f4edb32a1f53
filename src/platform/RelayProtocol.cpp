#include "platform/RelayProtocol.h"

QString RelayTypeName(RelayType type) {
    switch (type) {
    case RelayType::Login: return QStringLiteral("LOGIN");
    case RelayType::Link: return QStringLiteral("LINK");
    case RelayType::Unlink: return QStringLiteral("UNLINK");
    case RelayType::Data: return QStringLiteral("DATA");
    case RelayType::LoginResult: return QStringLiteral("LOGIN_RESULT");
    case RelayType::State: return QStringLiteral("STATE");
    case RelayType::PeerData: return QStringLiteral("PEER_DATA");
    }
    return {};
}

namespace {
bool KnownType(uint8_t type) {
    switch (RelayType(type)) {
    case RelayType::Login:
    case RelayType::Link:
    case RelayType::Unlink:
    case RelayType::Data:
    case RelayType::LoginResult:
    case RelayType::State:
    case RelayType::PeerData: return true;
    }
    return false;
}

uint16_t Number16(QByteArrayView bytes) { return uint16_t(uint8_t(bytes[0]) << 8 | uint8_t(bytes[1])); }

void AppendNumber16(QByteArray& out, uint16_t value) {
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

std::optional<QString> AccountError(QByteArrayView account) {
    if (account.isEmpty() || account.size() > RelayLimits::MaxAccountBytes)
        return QStringLiteral("account of %1 bytes").arg(account.size());
    return std::nullopt;
}

std::optional<QString> SlotError(uint8_t slot) {
    if (slot < 1 || slot > RelayLimits::MaxSlot) return QStringLiteral("slot %1").arg(slot);
    return std::nullopt;
}

std::optional<QString> PayloadError(RelayDataKind kind, qsizetype size) {
    switch (kind) {
    case RelayDataKind::Frame:
        if (size > VideoFrame::MaxBytes) return QStringLiteral("frame of %1 bytes").arg(size);
        return std::nullopt;
    case RelayDataKind::Format:
        if (size > RelayLimits::MaxFormatBytes) return QStringLiteral("format of %1 bytes").arg(size);
        return std::nullopt;
    case RelayDataKind::Mode:
        if (size != RelayLimits::ModeBytes) return QStringLiteral("mode of %1 bytes").arg(size);
        return std::nullopt;
    }
    return QStringLiteral("unknown kind %1").arg(uint8_t(kind));
}

QString SizeError(RelayType type, qsizetype bodySize) {
    return QStringLiteral("%1 of %2 bytes").arg(RelayTypeName(type)).arg(bodySize);
}
}  // namespace

RelayMessage RelayLogin(const QByteArray& account) { return {RelayType::Login, 0, RelayDataKind::Frame, 0, account}; }

RelayMessage RelayLink(uint8_t slot, const QByteArray& account) {
    return {RelayType::Link, slot, RelayDataKind::Frame, 0, account};
}

RelayMessage RelayUnlink(uint8_t slot) { return {RelayType::Unlink, slot, RelayDataKind::Frame, 0, {}}; }

RelayMessage RelayData(uint8_t slot, RelayDataKind kind, const QByteArray& payload) {
    return {RelayType::Data, slot, kind, 0, payload};
}

RelayMessage RelayLoginResult(uint16_t code) { return {RelayType::LoginResult, 0, RelayDataKind::Frame, code, {}}; }

RelayMessage RelayState(uint8_t slot, uint16_t state) {
    return {RelayType::State, slot, RelayDataKind::Frame, state, {}};
}

RelayMessage RelayPeerData(uint8_t slot, RelayDataKind kind, const QByteArray& payload) {
    return {RelayType::PeerData, slot, kind, 0, payload};
}

QByteArray ModePayload(int16_t mode) {
    QByteArray payload;
    AppendNumber16(payload, uint16_t(mode));
    return payload;
}

int16_t ModeOfPayload(QByteArrayView payload) {
    return payload.size() == RelayLimits::ModeBytes ? int16_t(Number16(payload)) : 0;
}

QByteArray EncodeRelayMessage(const RelayMessage& message) {
    QByteArray body;
    body.append(char(message.type));
    switch (message.type) {
    case RelayType::Login: body.append(message.bytes); break;
    case RelayType::Link:
        body.append(char(message.slot));
        body.append(message.bytes);
        break;
    case RelayType::Unlink: body.append(char(message.slot)); break;
    case RelayType::Data:
    case RelayType::PeerData:
        body.append(char(message.slot));
        body.append(char(message.kind));
        body.append(message.bytes);
        break;
    case RelayType::LoginResult: AppendNumber16(body, message.number); break;
    case RelayType::State:
        body.append(char(message.slot));
        AppendNumber16(body, message.number);
        break;
    }
    const auto size = uint32_t(body.size());
    QByteArray out;
    out.reserve(RelayLimits::LengthBytes + body.size());
    for (int shift = 24; shift >= 0; shift -= 8) out.append(char((size >> shift) & 0xFF));
    return out + body;
}

std::variant<RelayMessage, QString> DecodeRelayMessage(QByteArrayView message) {
    if (message.isEmpty()) return QStringLiteral("empty message");
    if (message.size() > RelayLimits::MaxMessageBytes) return QStringLiteral("message of %1 bytes").arg(message.size());
    if (!KnownType(uint8_t(message[0])))
        return QStringLiteral("unknown type 0x%1").arg(uint8_t(message[0]), 2, 16, QLatin1Char('0'));
    const auto type = RelayType(message[0]);
    const QByteArrayView body = message.sliced(1);
    switch (type) {
    case RelayType::Login:
        if (const auto error = AccountError(body)) return *error;
        return RelayLogin(body.toByteArray());
    case RelayType::Link: {
        if (body.isEmpty()) return SizeError(type, 0);
        if (const auto error = SlotError(uint8_t(body[0]))) return *error;
        if (const auto error = AccountError(body.sliced(1))) return *error;
        return RelayLink(uint8_t(body[0]), body.sliced(1).toByteArray());
    }
    case RelayType::Unlink:
        if (body.size() != 1) return SizeError(type, body.size());
        if (const auto error = SlotError(uint8_t(body[0]))) return *error;
        return RelayUnlink(uint8_t(body[0]));
    case RelayType::Data:
    case RelayType::PeerData: {
        if (body.size() < 2) return SizeError(type, body.size());
        const auto kind = RelayDataKind(body[1]);
        const QByteArrayView payload = body.sliced(2);
        if (const auto error = PayloadError(kind, payload.size())) return *error;
        return RelayMessage{type, uint8_t(body[0]), kind, 0, payload.toByteArray()};
    }
    case RelayType::LoginResult:
        if (body.size() != 2) return SizeError(type, body.size());
        return RelayLoginResult(Number16(body));
    case RelayType::State:
        if (body.size() != 3) return SizeError(type, body.size());
        if (const auto error = SlotError(uint8_t(body[0]))) return *error;
        return RelayState(uint8_t(body[0]), Number16(body.sliced(1)));
    }
    return QStringLiteral("unknown type");
}

void RelayReader::Append(QByteArrayView bytes) {
    if (!error_.isEmpty()) return;
    // What was taken already goes before anything new is added, so the
    // buffer never holds more than a message and a delivery.
    pending_.remove(0, start_);
    start_ = 0;
    pending_.append(bytes);
}

std::optional<RelayMessage> RelayReader::Next() {
    if (!error_.isEmpty()) return std::nullopt;
    const qsizetype available = pending_.size() - start_;
    if (available < RelayLimits::LengthBytes) return std::nullopt;
    const auto* length = reinterpret_cast<const uint8_t*>(pending_.constData() + start_);
    const uint32_t size = uint32_t(length[0]) << 24 | uint32_t(length[1]) << 16 | uint32_t(length[2]) << 8 | length[3];
    if (size == 0 || size > RelayLimits::MaxMessageBytes) {
        error_ = size == 0 ? QStringLiteral("empty message") : QStringLiteral("message of %1 bytes").arg(size);
        pending_.clear();
        start_ = 0;
        return std::nullopt;
    }
    if (available - RelayLimits::LengthBytes < qsizetype(size)) return std::nullopt;
    const auto decoded =
        DecodeRelayMessage(QByteArrayView(pending_).sliced(start_ + RelayLimits::LengthBytes, qsizetype(size)));
    start_ += RelayLimits::LengthBytes + qsizetype(size);
    if (start_ == pending_.size()) {
        pending_.clear();
        start_ = 0;
    }
    if (const auto* error = std::get_if<QString>(&decoded)) {
        error_ = *error;
        pending_.clear();
        start_ = 0;
        return std::nullopt;
    }
    return std::get<RelayMessage>(decoded);
}
