// One whole scripted hand replayed through the message handler, the user's
// clicks included, on the virtual clock (so the client's pauses cost nothing).
// Only the time spent in ProcessServerMessage is measured.
#include "messages/ServerMessageDispatch.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include <benchmark/benchmark.h>
#include <chrono>

namespace {
void ReplayScriptedHand(benchmark::State& state) {
    const std::vector<HandStep> hand = ScriptedHand();
    int64_t messages = 0;
    double totalSeconds = 0;
    for (auto _ : state) {
        TestClient t;
        SeatAtScriptedTable(t, 15);
        std::chrono::duration<double> handling{};
        for (const HandStep& step : hand) {
            if (!step.server) {
                step.user(t);
                continue;
            }
            GameMessage message = *step.server;
            const auto start = std::chrono::steady_clock::now();
            ProcessServerMessage(*t, message);
            handling += std::chrono::steady_clock::now() - start;
            ++messages;
        }
        state.SetIterationTime(handling.count());
        totalSeconds += handling.count();
    }
    state.SetItemsProcessed(messages);
    state.counters["us_per_message"] = messages ? totalSeconds * 1e6 / double(messages) : 0;
}
BENCHMARK(ReplayScriptedHand)->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace
