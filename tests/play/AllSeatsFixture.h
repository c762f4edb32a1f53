#pragma once
#include "shared/Client.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <array>
#include <optional>

// A loaded client at a table of four seats with the wall laid out and empty
// hands. Start() begins again with a fresh client.
class AllSeatsFixture : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void Start() {
        t.emplace();
        ASSERT_EQ(t->Load(), std::nullopt);
        for (int s = 0; s < 4; ++s) c().seatInfo[s].SeatBit = kSeatBits[s];
        LayoutWall(c());
        ResetHandState(c());
        Prepare();
    }
    // What a test class adds to every fresh client.
    virtual void Prepare() {}

    Client& c() { return **t; }
    ImageControl& image(int index) { return *c().mainForm->MJ_Image.at(index); }
    int16_t picture(int index) { return c().table.TileImagePictures[index]; }

    std::optional<TestClient> t;
};
