#include "dravik-server/ChatPace.h"

bool ChatPace::Admit(int seat, Time now) {
    std::optional<Time>& last = lastRelayed_.at(size_t(seat));
    if (last && now - *last < pause_) return false;
    last = now;
    return true;
}
