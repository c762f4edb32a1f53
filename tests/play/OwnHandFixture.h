#pragma once
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "table/TileAccess.h"
#include "messages/MessageHandlers.h"
#include "shared/RuntimeError.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <vector>

// The fields of a queued answer that the tests compare.
struct Answer {
    int type, seatBit, p0, p1, p2, p3;
    bool operator==(const Answer&) const = default;
};

inline Answer AnswerOf(const GameMessage& m) {
    return {m.MsgType, m.SeatBit, m.Param[0] & 0xFFFF, m.Param[1] & 0xFFFF, m.Param[2] & 0xFFFF, m.Param[3] & 0xFFFF};
}

inline std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << "{type " << a.type << ", seat " << a.seatBit << std::hex << ", " << a.p0 << ", " << a.p1 << ", "
               << a.p2 << ", " << a.p3 << "}" << std::dec;
}

inline std::vector<Answer> AnswersOf(const std::vector<GameMessage>& messages) {
    std::vector<Answer> answers;
    for (const GameMessage& m : messages) answers.push_back(AnswerOf(m));
    return answers;
}

// A logged-in client at seat bit 1 on a table of the screen's size (1024 ×
// 768 unless given) whose own hand is laid by the test, and the messages it
// queues to send.
class OwnHandFixture : public ::testing::Test {
protected:
    explicit OwnHandFixture(const QString& commandLine = TestClient::DefaultCommandLine(), QSize screen = {1024, 768})
        : t(commandLine, screen) {}

    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        c.connection.LoggedIn = true;
        c.seatInfo[0].SeatBit = 1;
        LayoutWall(c);
        c.window.AnNiuUsed[2] = true;
        c.transport.SendRead = c.transport.SendWrite;
    }

    // Lays the tiles as the own concealed run from FirstConcealed, tile k on
    // MJ_Image(k), standing at its hand place at the hand size.
    void Hand(const std::vector<int>& tiles) {
        SeatInfo& own = c.seatInfo[0];
        SetHandTileSize(c, 0);
        own.ConcealedCount = static_cast<int16_t>(tiles.size());
        for (int k = 0; k < static_cast<int>(tiles.size()); ++k) {
            const int slot = own.FirstConcealed + k;
            own.Slots[slot] = {1, static_cast<int16_t>(tiles[k]), static_cast<int16_t>(k), 0};
            Image(k).Move(own.HandX + slot * c.table.TileWidth[0], own.HandY, 48, 78);
            ShowTileImage(c, static_cast<int16_t>(k), TilePicture(kOwnHandSet, tiles[k]));
        }
    }

    ImageControl& Image(int index) { return *c.mainForm->MJ_Image[index]; }
    const TileSlot& Slot(int slot) { return c.seatInfo[0].Slots[slot]; }
    int Run(int k) { return c.seatInfo[0].FirstConcealed + k; }

    // Every message queued since the set-up, as the server reads it.
    std::vector<GameMessage> Queued() {
        std::vector<GameMessage> messages;
        const TransportState& tr = c.transport;
        for (int at = tr.SendRead; at != tr.SendWrite; at = (at + kPacketSize) % kRingSize)
            messages.push_back(DecodeGamePacketFull(tr.SendRing.data() + at));
        return messages;
    }

    // The claim answers and discards sent or still queued, in order.
    std::vector<Answer> Answers() {
        std::vector<GameMessage> messages;
        for (const QByteArray& packet : t.Sent())
            if (packet.size() == kPacketSize)
                messages.push_back(DecodeGamePacketFull(reinterpret_cast<const uint8_t*>(packet.constData())));
        for (const GameMessage& m : Queued()) messages.push_back(m);
        std::vector<Answer> answers;
        for (const GameMessage& m : messages)
            if (m.MsgType == MessageType::Discard || m.MsgType == MessageType::ClaimAnswer) answers.push_back(AnswerOf(m));
        return answers;
    }

    // The server offers the own seat these operation bits.
    void Prompt(int ops) {
        GameMessage prompt;
        prompt.MsgType = MessageType::ActionPrompt;
        prompt.SeatBit = c.seatInfo[0].SeatBit;
        prompt.Param[0] = static_cast<int16_t>(ops);
        HandleActionPrompt(c, prompt);
    }

    TestClient t;
    Client& c = *t;
};

