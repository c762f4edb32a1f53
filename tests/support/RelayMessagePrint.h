#pragma once
#include "platform/RelayProtocol.h"
#include <ostream>

// Relay messages in test failures as their type and fields, not as raw bytes.
inline void PrintTo(const RelayMessage& message, std::ostream* out) {
    *out << RelayTypeName(message.type).toStdString() << "(slot " << int(message.slot) << ", kind "
         << int(message.kind) << ", number " << message.number << ", " << message.bytes.size() << " bytes \""
         << message.bytes.left(16).toHex().toStdString() << "\")";
}
