#pragma once
#include <QString>
#include <array>
#include <optional>

// The lobby's command line: up to 13 fields, each ended by "$". A line that
// does not end with "$" is a spectator's, whose tail after field 5 names the
// watched player.
struct CommandLine {
    bool Empty = true;
    bool SpectatorMode = false;
    // Fields 1 to 13 at indexes 0 to 12; absent when the line ran out of "$".
    std::array<std::optional<QString>, 13> Fields;
    // Spectator mode: everything after field 5's "$".
    QString WatchedTail;

    const QString* Field(int number) const;
    bool AutoPlayRequested() const;
    // The lobby's caption: field 12 in auto-play mode, otherwise "Jokro山庄".
    QString LobbyCaption() const;
};

CommandLine SplitCommandLine(const QString& line);

// Names the first field that cannot be used, or nothing when all can.
std::optional<QString> FindBadField(const CommandLine& line);

// Chinese names of the fields, for the message that names a bad one.
QString FieldName(int number);

// The Val() of the original: the leading number of a text, 0 when there is none.
double LeadingNumber(const QString& text);
