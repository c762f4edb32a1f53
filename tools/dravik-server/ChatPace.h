#pragma once
#include <array>
#include <chrono>
#include <optional>

// Lets a seat's chat lines through at most one per pause, as a client's own
// chat input sends them; the lines in between are dropped, never queued, so a
// seat that floods the chat cannot flood the other clients.
class ChatPace {
public:
    using Time = std::chrono::milliseconds;

    explicit ChatPace(Time pause) : pause_(pause) {}
    // True when the seat's line that came at `now` may be relayed; it then
    // starts the seat's next pause.
    bool Admit(int seat, Time now);

private:
    Time pause_;
    std::array<std::optional<Time>, 4> lastRelayed_;
};
