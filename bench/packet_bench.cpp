// Encoding and decoding game packets, and dispatching a stream of received
// packets through the scheduler's receive job.
#include "wire/GamePacket.h"
#include "wire/PacketTransport.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include <benchmark/benchmark.h>
#include <optional>

namespace {
GameMessage SampleMessage() {
    GameMessage message;
    message.MsgType = MessageType::TileDiscarded;
    message.SeatBit = 4;
    message.Param = {3, 0, -1, 0x25};
    return message;
}

void EncodePacket(benchmark::State& state) {
    const GameMessage message = SampleMessage();
    for (auto _ : state) benchmark::DoNotOptimize(EncodeGamePacket(message, {}, {1, 2}));
}
BENCHMARK(EncodePacket);

void DecodePacket(benchmark::State& state) {
    const GamePacket packet = EncodeGamePacket(SampleMessage());
    for (auto _ : state) benchmark::DoNotOptimize(DecodeGamePacket(packet.data()));
}
BENCHMARK(DecodePacket);

void QueuePacket(benchmark::State& state) {
    TestClient t;
    t.Load();
    GameMessage message = SampleMessage();
    for (auto _ : state) {
        SendPacket(*t, message);
        t->transport.SendRead = t->transport.SendWrite;  // keep the queue from filling
    }
}
BENCHMARK(QueuePacket);

// A hand in progress, the client seated at bit 1 and done with its first
// discard: 50 turns of the three other seats, a draw and a discard each, come
// as 100 packets in one delivery and are taken out and dispatched one a tick.
// Every iteration starts from a freshly dealt hand, as the discards pile up.
constexpr int kStreamPackets = 100;

QByteArray OtherSeatsTurns() {
    constexpr uint8_t kOtherSeats[] = {2, 4, 8};
    QByteArray stream;
    for (int turn = 0; turn < kStreamPackets / 2; ++turn) {
        const uint8_t seatBit = kOtherSeats[turn % 3];
        const int tile = (0x10 << (turn % 3)) | (1 + turn % 9);  // characters, circles and bamboo, 1 to 9
        stream += ToByteArray(EncodeGamePacket(HandMessage(MessageType::TileDrawn, seatBit)));
        stream += ToByteArray(EncodeGamePacket(HandMessage(MessageType::TileDiscarded, seatBit, 0, 0, 0, tile)));
    }
    return stream;
}

void DealUpToTheFirstDiscard(TestClient& t, const std::vector<HandStep>& hand) {
    SeatAtScriptedTable(t, 15);
    for (const HandStep& step : hand) {
        if (step.label != QStringLiteral("set-up") && step.label != QStringLiteral("deal") &&
            step.label != QStringLiteral("first discard"))
            break;
        PlayStep(t, step);
    }
}

void DispatchReceivedStream(benchmark::State& state) {
    const std::vector<HandStep> hand = ScriptedHand();
    const QByteArray stream = OtherSeatsTurns();
    std::optional<TestClient> t;
    for (auto _ : state) {
        state.PauseTiming();
        t.emplace();
        DealUpToTheFirstDiscard(*t, hand);
        state.ResumeTiming();
        t->Deliver(stream);
        t->Tick(kStreamPackets + 1);
    }
    if (WaitingBytes((*t)->transport.ReceiveRead, (*t)->transport.ReceiveWrite) != 0)
        state.SkipWithError("the stream was not dispatched whole");
    state.SetItemsProcessed(state.iterations() * kStreamPackets);
}
BENCHMARK(DispatchReceivedStream)->Unit(benchmark::kMicrosecond);
}  // namespace
