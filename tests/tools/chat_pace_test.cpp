#include "dravik-server/ChatPace.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
using Time = ChatPace::Time;
constexpr Time kPause{800};

struct Line {
    int seat;
    Time at;
};

// The lines that are relayed, in the order they came.
std::vector<int> Relayed(const std::vector<Line>& lines) {
    ChatPace pace(kPause);
    std::vector<int> relayed;
    for (size_t k = 0; k < lines.size(); ++k)
        if (pace.Admit(lines[k].seat, lines[k].at)) relayed.push_back(int(k));
    return relayed;
}

// One seat's lines `step` apart from `start`, as many as fit before `end`.
std::vector<Line> Burst(int seat, Time start, Time step, Time end) {
    std::vector<Line> lines;
    for (Time at = start; at < end; at += step) lines.push_back({seat, at});
    return lines;
}

TEST(ChatPace, ASeatsBurstIsRelayedOneLinePer800MsAndTheRestDropped) {
    // 20 lines a second for 4 s: a dropped line does not put the next one off.
    const std::vector<Line> burst = Burst(0, Time(10'000), Time(50), Time(14'000));
    const std::vector<int> relayed = Relayed(burst);
    ASSERT_EQ(relayed, (std::vector<int>{0, 16, 32, 48, 64}));
    for (int k : relayed) EXPECT_EQ((burst[size_t(k)].at - burst[0].at) % kPause, Time(0));

    // 15 lines a second: every 800 ms window from the first relayed line holds one.
    const std::vector<Line> fifteen = Burst(2, Time(0), Time(66), Time(8000));
    std::vector<int> perWindow(10, 0);
    for (int k : Relayed(fifteen)) ++perWindow[size_t(fifteen[size_t(k)].at / kPause)];
    EXPECT_EQ(perWindow, std::vector<int>(10, 1));
}

TEST(ChatPace, ThePauseCountsFromTheLastRelayedLineOfTheSameSeatOnly) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        std::vector<int> relayed;
    } cases[] = {
        {"a line 1 ms short of the pause is dropped", {{1, Time(0)}, {1, Time(799)}}, {0}},
        {"a line the whole pause later goes", {{1, Time(0)}, {1, Time(800)}}, {0, 1}},
        {"slow lines all go", {{3, Time(0)}, {3, Time(900)}, {3, Time(5000)}}, {0, 1, 2}},
        {"the seats do not hold each other up",
         {{0, Time(0)}, {1, Time(10)}, {2, Time(20)}, {3, Time(30)}, {0, Time(40)}, {1, Time(810)}},
         {0, 1, 2, 3, 5}},
        {"the first line at the clock's start goes", {{0, Time(0)}}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Relayed(c.lines), c.relayed);
    }
}
}  // namespace
