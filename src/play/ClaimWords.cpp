#include "play/ClaimWords.h"
#include "shared/PlayState.h"
#include "play/SingleKongs.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/StackingOrder.h"

std::optional<ClaimWord> WordOfClaim(const Client& c, int op, int16_t tile) {
    switch (op) {
    case OperationBit::Chow: return ClaimWord{0, VoiceClaim::Chow};
    case OperationBit::Pung: return ClaimWord{1, VoiceClaim::Pung};
    case OperationBit::ExposedKong: return ClaimWord{2, VoiceClaim::Kong};
    case OperationBit::ConcealedKong: return ClaimWord{3, VoiceClaim::Kong};
    case OperationBit::SingleKong:
        switch (PileOfSingleKong(c, tile)) {
        case SingleKongPile::RedDragon: return ClaimWord{4, VoiceClaim::RedDragonKong};
        case SingleKongPile::WildTile: return ClaimWord{5, VoiceClaim::WildTileKong};
        case SingleKongPile::None: return ClaimWord{6, VoiceClaim::Kong};
        }
        break;
    case OperationBit::Win: return ClaimWord{7, VoiceClaim::Win};
    }
    return std::nullopt;
}

void ShowClaimBubble(Client& c, int seat) {
    MainForm& f = *c.mainForm;
    ImageControl& bubble = *CheckedAt(f.Speak, seat - 1, "Speak");
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const ImageControl& portrait = *f.Tou[2];
    const double left = seat == 1 ? 8 * sx : seat == 2 ? portrait.Left() + 0.8 * portrait.Width() : 936 * sx;
    bubble.Move(left, (seat == 2 ? 110 : 280) * sy);
    f.Words->Move(bubble.Left() + 0.17 * bubble.Width(), bubble.Top() + 0.24 * bubble.Height());
    bubble.setVisible(true);
    f.Words->setVisible(true);
    BringToFront(bubble);
    BringToFront(*f.Words);
}

void ShowClaimWord(Client& c, const ClaimWord& word) {
    SetPictureFromResource(c, *c.mainForm->Words, CheckedAt(c.resourceIds.ActionWordIds, word.wordIndex, "ActionWordIds"));
}
