#include "LobbyCommands.h"
#include "platform/LobbyLink.h"
#include <QStringList>
#include <array>

namespace {

using namespace WindowMessage;

const std::array<LobbyCommand, 7> kNamedCommands{{
    {QStringLiteral("query"), 0x465},
    {QStringLiteral("leave"), 0x303},
    {QStringLiteral("force-leave"), 0x400},
    {QStringLiteral("relogin"), 0x16},
    {QStringLiteral("close"), WM_CLOSE},
    {QStringLiteral("minimize"), WM_SYSCOMMAND, SC_MINIMIZE},
    {QStringLiteral("restore"), WM_SYSCOMMAND, SC_RESTORE},
}};

// Decimal, or hexadecimal after "0x"; a leading zero does not mean octal.
std::optional<uint32_t> ParseNumber(const QString& text) {
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const uint32_t value = hex ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<LobbyCommand> ParseSend(const QStringList& words) {
    if (words.size() < 2 || words.size() > 4) return std::nullopt;
    std::array<uint32_t, 3> numbers{};
    for (qsizetype i = 1; i < words.size(); ++i) {
        const auto number = ParseNumber(words[i]);
        if (!number) return std::nullopt;
        numbers[i - 1] = *number;
    }
    return LobbyCommand{QStringLiteral("0x") + QString::number(numbers[0], 16), numbers[0], numbers[1], numbers[2]};
}

}  // namespace

std::optional<LobbyCommand> ParseLobbyCommand(const QString& line) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) return std::nullopt;
    if (words[0] == QLatin1String("send")) return ParseSend(words);
    if (words.size() != 1) return std::nullopt;
    for (const LobbyCommand& command : kNamedCommands)
        if (command.name == words[0]) return command;
    return std::nullopt;
}
