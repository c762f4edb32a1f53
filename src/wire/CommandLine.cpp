#include "wire/CommandLine.h"
#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include <QRegularExpression>

namespace {
constexpr int kPasswordBytes = 228;
constexpr int kProxyTextBytes = 255;

std::optional<int> WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool IsPort(const QString& text, bool zeroAllowed) {
    const auto value = WholeNumber(text);
    return value && *value <= 65535 && (*value >= 1 || (zeroAllowed && *value == 0));
}

bool FitsBytes(const QString& text, int bytes) { return AnsiCodec::ToAnsi(text).size() <= bytes; }
}  // namespace

const QString* CommandLine::Field(int number) const {
    const auto& field = Fields[number - 1];
    return field ? &*field : nullptr;
}

bool CommandLine::AutoPlayRequested() const {
    const QString* field = Field(11);
    return field && LeadingNumber(*field) == 1;
}

QString CommandLine::LobbyCaption() const {
    const QString* caption = Field(12);
    return AutoPlayRequested() && caption ? *caption : QStringLiteral("Jokro山庄");
}

CommandLine SplitCommandLine(const QString& line) {
    CommandLine result;
    QString rest = line.trimmed();
    if (rest.isEmpty()) return result;
    result.Empty = false;
    result.SpectatorMode = !rest.endsWith(QLatin1Char('$'));
    for (int number = 1; number <= 13; ++number) {
        const qsizetype end = rest.indexOf(QLatin1Char('$'));
        if (end < 0) break;
        result.Fields[number - 1] = rest.left(end);
        rest = rest.mid(end + 1);
        if (number == 5 && result.SpectatorMode) result.WatchedTail = rest;
    }
    return result;
}

std::optional<QString> FindBadField(const CommandLine& line) {
    const auto bad = [](int number) { return std::optional<QString>(FieldName(number)); };
    if (const QString* user = line.Field(1); user && !FitsBytes(*user, AccountField::Bytes)) return bad(1);
    if (const QString* password = line.Field(2); password && !FitsBytes(*password, kPasswordBytes)) return bad(2);
    if (const QString* port = line.Field(4); port && !IsPort(*port, false)) return bad(4);
    const QString* proxyType = line.Field(6);
    const auto type = proxyType ? WholeNumber(*proxyType) : std::nullopt;
    // The type is kept in 16 bits; a wider number would wrap to another type.
    if (proxyType && (!type || *type != static_cast<int16_t>(*type))) return bad(6);
    const bool viaProxy = type == 5;
    if (const QString* port = line.Field(8); port && !IsPort(*port, !viaProxy)) return bad(8);
    for (int number : {9, 10})
        if (const QString* text = line.Field(number); text && !FitsBytes(*text, kProxyTextBytes)) return bad(number);
    if (line.SpectatorMode) {
        static const QRegularExpression digits(QStringLiteral("^\\s*\\d+\\s*$"));
        if (!digits.match(line.WatchedTail).hasMatch()) return QStringLiteral("观战玩家编号");
    }
    return std::nullopt;
}

QString FieldName(int number) {
    static const char* const names[] = {"用户名", "登录密码", "服务器地址", "服务器端口", "所在地",
                                        "代理类型", "代理服务器地址", "代理端口", "代理用户名", "代理密码",
                                        "自动托管", "大厅窗口标题", "游戏窗口标题"};
    return QString::fromUtf8(names[number - 1]);
}

double LeadingNumber(const QString& text) {
    // Blanks, a sign, then digits with at most one point among or before them.
    // Scanned by hand: a regular expression would bring its engine into every start-up.
    qsizetype end = 0;
    while (end < text.size() && text[end].isSpace()) ++end;
    const qsizetype start = end;
    if (end < text.size() && (text[end] == QLatin1Char('+') || text[end] == QLatin1Char('-'))) ++end;
    const auto isDigit = [&](qsizetype i) { return i < text.size() && text[i].isDigit(); };
    bool digits = false;
    for (; isDigit(end); ++end) digits = true;
    if (end < text.size() && text[end] == QLatin1Char('.') && (digits || isDigit(end + 1)))
        for (++end; isDigit(end); ++end) digits = true;
    return digits ? text.mid(start, end - start).toDouble() : 0.0;
}
