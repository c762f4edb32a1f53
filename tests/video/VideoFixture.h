#pragma once
#include "platform/VideoView.h"
#include "shared/Client.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

// A started client whose remote seats 1 to 3 hold the players "east",
// "north" and "west", with peer slots the test links as it needs.
class VideoFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        const QString accounts[] = {QStringLiteral("me"), QStringLiteral("east"), QStringLiteral("north"),
                                    QStringLiteral("west")};
        for (int s = 0; s < 4; ++s) t->seatInfo[s].Account = accounts[s];
        t.peers->record.sent.clear();
    }
    MainForm& f() { return *t->mainForm; }
    VideoView& view(int seat) { return *f().vshow1[seat]; }
    std::vector<FakeP2PSocket::SentData>& sent() { return t.peers->record.sent; }
    // The frames sent on a slot, in order.
    QByteArrayList FramesTo(int16_t slot) const {
        QByteArrayList frames;
        for (const auto& data : t.peers->record.sent)
            if (data.slot == slot && data.kind == QLatin1String("frame")) frames << data.data;
        return frames;
    }

    TestClient t;
};
