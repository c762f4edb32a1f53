#include "table/Countdown.h"
#include "messages/MessageHandlers.h"
#include "play/ClaimAnswers.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/StackingOrder.h"

namespace {
// Claim button of each operation bit, from the lowest bit up; -1 for none.
constexpr std::array<int, 8> kButtonOfBit{4, -1, 0, 1, 2, 2, 2, 3};
constexpr int kKongBits = OperationBit::ExposedKong | OperationBit::ConcealedKong | OperationBit::SingleKong;
}  // namespace

void HandleActionPrompt(Client& c, GameMessage& msg) {
    SeatInfo& own = c.seatInfo[0];
    if ((msg.SeatBit & 15) != (own.SeatBit & 15)) return;
    TableState& t = c.table;
    MainForm& f = *c.mainForm;
    const int ops = msg.Param[0] & 0xFF;
    t.AnswerSent = false;
    t.PromptState = 0;
    c.play.OperationState.fill(0);
    for (int bit = 0; bit < 8; ++bit) {
        const int k = kButtonOfBit[bit];
        if (!(ops & (1 << bit)) || k < 0) continue;
        ImageControl& button = *f.Operation[k];
        button.setEnabled(true);
        SetPictureFromResource(c, button, c.resourceIds.ActionButtonIds[3 * k + 1]);
        c.play.OperationState[k] = 2;
    }
    if (ops & kKongBits) c.play.OfferedOps = static_cast<int16_t>(ops);
    if (own.ConcealedCount > 0)
        for (ImageControl* button : f.Operation) {
            button->setVisible(true);
            BringToFront(*button);
        }
    if (IsOwnDiscardTurn(c)) t.MustDiscard = true;
    if (own.ConcealedCount > 0) {
        ShowCountdownFrom(c, t.TurnSeconds);
        c.scheduler.TurnCountdownOn = true;
        c.scheduler.TurnCountdownTicks = 0;
    }
}
