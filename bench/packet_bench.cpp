// Encoding and decoding game packets, and dispatching a stream of received
// packets through the scheduler's receive job.
#include "connection/GamePacket.h"
#include "connection/PacketTransport.h"
#include "support/TestClient.h"
#include <benchmark/benchmark.h>

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

// A stream of 100 packets in one delivery, each taken out and dispatched on its tick.
void DispatchReceivedStream(benchmark::State& state) {
    TestClient t;
    t.Load();
    t.Tick(5);
    QByteArray stream;
    for (int i = 0; i < 100; ++i) {
        GameMessage message = SampleMessage();
        message.MsgType = static_cast<int16_t>(i % 2 ? MessageType::TileDiscarded : 10);
        stream += ToByteArray(EncodeGamePacket(message, {}, {uint8_t(i), 0}));
    }
    for (auto _ : state) {
        t.Deliver(stream);
        t.Tick(101);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(DispatchReceivedStream);
}  // namespace
