#include "support/ScriptedHand.h"
#include "play/ClaimButtons.h"
#include "play/MouseDiscard.h"
#include "shared/Client.h"
#include "support/TestClient.h"
#include "dravik-server/ServerPackets.h"
#include "dravik-server/TableSeating.h"

namespace {
constexpr uint8_t kOwn = 1, kRight = 2, kOpposite = 4, kLeft = 8;
constexpr int kLeftButton = 1;

struct Script {
    std::vector<HandStep> steps;
    QString label;

    void At(const QString& name) { label = name; }
    void Server(int type, uint8_t seatBit, int p0 = 0, int p1 = 0, int p2 = 0, int p3 = 0) {
        steps.push_back({label, HandMessage(type, seatBit, p0, p1, p2, p3), {}});
    }
    void User(std::function<void(TestClient&)> action) { steps.push_back({label, std::nullopt, std::move(action)}); }

    void Draw(uint8_t seatBit, int tile = 0) { Server(MessageType::TileDrawn, seatBit, 0, 0, 0, tile); }
    void Discard(uint8_t seatBit, int tile) { Server(MessageType::TileDiscarded, seatBit, 0, 0, 0, tile); }
    void Prompt(int ops) { Server(MessageType::ActionPrompt, kOwn, ops); }
    void Meld(uint8_t seatBit, int op, int t0, int t1, int t2) { Server(MessageType::MeldMade, seatBit, op, t0, t1, t2); }
    // Another seat draws and discards.
    void Turn(uint8_t seatBit, int discard) {
        Draw(seatBit);
        Discard(seatBit, discard);
    }
    // The user clicks an own tile, and the server reports the discard.
    void OwnDiscard(int tile) {
        User([tile](TestClient& t) {
            MainForm_MJ_Image_MouseDown(*t, static_cast<int16_t>(OwnTileImage(*t, tile)), kLeftButton, 0, 0, 0);
        });
        Discard(kOwn, tile);
    }
    void Click(int button) {
        User([button](TestClient& t) { MainForm_Operation_Click(*t, static_cast<int16_t>(button)); });
    }
};
}  // namespace

void SeatAtScriptedTable(TestClient& t, int turnSeconds, int ownSeat) {
    t.Load();
    t.Tick(4);
    LogInAtScriptedTable(t, turnSeconds, ownSeat);
}

void LogInAtScriptedTable(TestClient& t, int turnSeconds, int ownSeat) {
    t.Deliver(ToByteArray(LoginReplyPacket(1, turnSeconds, 0, {}, {0, 1})));
    t.Tick(2);
    std::array<SeatedPlayer, 4> seats;
    for (int seat = 0; seat < 4; ++seat)
        seats[size_t(seat)] = seat == ownSeat ? SeatedPlayer{ClientRecord("abc"), false} : SeatedPlayer{ComputerRecord(seat), true};
    for (const GamePacket& packet : SeatingPackets(ownSeat, seats)) {
        t.Deliver(ToByteArray(packet));
        t.Tick(2);
    }
}

void PlayStep(TestClient& t, const HandStep& step) {
    if (step.server) {
        t.Deliver(ToByteArray(EncodeGamePacket(*step.server)));
        t.Tick(2);
    } else {
        step.user(t);
    }
}

GameMessage HandMessage(int type, uint8_t seatBit, int p0, int p1, int p2, int p3) {
    GameMessage message;
    message.MsgType = static_cast<int16_t>(type);
    message.SeatBit = seatBit;
    message.Param = {static_cast<int16_t>(p0), static_cast<int16_t>(p1), static_cast<int16_t>(p2), static_cast<int16_t>(p3)};
    return message;
}

int OwnTileImage(const Client& c, int tile) {
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount && slot < 21; ++slot)
        if ((own.Slots[slot].Tile & 0xFF) == tile) return own.Slots[slot].Image;
    return -1;
}

std::vector<HandStep> ScriptedHand() {
    Script s;
    s.At("set-up");
    s.Server(MessageType::HandSetup, kOwn, 7, 5, 0x17, 0x16);
    s.Server(MessageType::HandStart, kOwn, 3, 4, 2, 5);

    s.At("deal");
    const int ownPasses[3][4] = {{0x81, 0x82, 0x83, 0x84}, {0x86, 0x86, 0x42, 0x43}, {0x45, 0x45, 0x27, 0x27}};
    for (const auto& pass : ownPasses) {
        s.Server(MessageType::DealTiles, kOwn, pass[0], pass[1], pass[2], pass[3]);
        for (uint8_t other : {kRight, kOpposite, kLeft}) s.Server(MessageType::DealTiles, other);
    }
    s.Draw(kOwn, 0x11);
    for (uint8_t other : {kRight, kOpposite, kLeft}) s.Draw(other);
    s.Draw(kOwn, 0x29);

    s.At("first discard");
    s.Prompt(OperationBit::Pass);
    s.OwnDiscard(0x29);

    s.At("pung");
    s.Turn(kRight, 0x13);
    s.Turn(kOpposite, 0x45);
    s.Prompt(OperationBit::Pung | OperationBit::Pass);
    s.Click(1);
    s.Meld(kOwn, OperationBit::Pung, 0x45, 0x45, 0x45);
    s.Prompt(0);
    s.OwnDiscard(0x11);

    s.At("other kong");
    s.Meld(kRight, OperationBit::ExposedKong, 0, 0, 0x11);
    s.Turn(kRight, 0x12);
    s.Meld(kOpposite, OperationBit::Pung, 0x12, 0x12, 0x12);
    s.Discard(kOpposite, 0x14);

    s.At("chow offer");
    s.Turn(kLeft, 0x85);
    s.Prompt(OperationBit::Chow | OperationBit::Pass);
    s.Click(0);

    s.At("chow");
    s.User([](TestClient& t) { MainForm_Chi_Click(*t, 2); });
    s.Meld(kOwn, OperationBit::Chow, 0x84, 0x85, 0x86);
    s.Prompt(0);
    s.OwnDiscard(0x86);

    s.At("mid-hand");
    s.Turn(kRight, 0x24);
    s.Turn(kOpposite, 0x26);
    s.Turn(kLeft, 0x16);
    s.Draw(kOwn, 0x27);
    s.Prompt(0);
    s.OwnDiscard(0x43);
    s.Turn(kRight, 0x22);
    s.Turn(kOpposite, 0x28);
    s.Turn(kLeft, 0x15);

    s.At("concealed kong");
    s.Draw(kOwn, 0x27);
    s.Prompt(OperationBit::ConcealedKong | OperationBit::Pass);
    s.Click(2);
    s.Meld(kOwn, OperationBit::ConcealedKong, 0x27, 0x27, 0x27);
    s.Draw(kOwn, 0x45);

    s.At("one-tile kong");
    s.Prompt(OperationBit::SingleKong | OperationBit::Pass);
    s.Click(2);
    s.Meld(kOwn, OperationBit::SingleKong, 0, 0, 0x45);
    s.Draw(kOwn, 0x41);

    s.At("time-out");
    s.Prompt(0);
    s.User([](TestClient& t) {
        for (int tick = 0; tick < 1000 && t->scheduler.TurnCountdownOn; ++tick) t.Tick();
    });
    s.Discard(kOwn, 0x41);

    s.At("win");
    s.Turn(kRight, 0x42);
    s.Prompt(OperationBit::Win | OperationBit::Pass);
    s.Click(3);
    s.Meld(kOwn, OperationBit::Win, 0, 0, 0x42);
    return s.steps;
}
