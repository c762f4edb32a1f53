#include "computer/TurnMoves.h"
#include "connection/LobbyWindowLink.h"
#include "play/CentreDiscard.h"
#include "play/ClaimAnswers.h"
#include "play/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"

namespace {
void ClearClaimControls(Client& c) {
    MainForm& f = *c.mainForm;
    for (int k = 0; k <= 4; ++k) {
        ImageControl& button = *f.Operation[k];
        button.setEnabled(false);
        button.setVisible(false);
        SetPictureFromResource(c, button, c.resourceIds.ActionButtonIds[3 * k]);
    }
    for (auto* choices : {&f.Gang, &f.Chi})
        for (ImageControl* picture : *choices) {
            picture->setEnabled(false);
            picture->setVisible(false);
        }
}

void PassAndDiscardLastTile(Client& c) {
    TableState& t = c.table;
    SeatInfo& own = c.seatInfo[0];
    ClearClaimControls(c);
    SendPass(c);
    if ((own.ConcealedCount - 2) % 3 != 0) return;
    t.MustDiscard = false;
    SetTileSize(c, 0, 36, 50);
    const TileSlot& last = CheckedAt(own.Slots, own.FirstConcealed + own.ConcealedCount - 1, "Slots");
    SendDiscard(c, last.Tile);
    t.LastDiscardImage = last.Image;
    t.LastDiscarder = 0;
    LayDiscardInCentre(c, last.Image, last.Tile);
    --own.ConcealedCount;
}
}  // namespace

// Placeholder until the computer player is built.
void AutoPlayTurn(Client&) {}

void TimeoutPlayTurn(Client& c) {
    try {
        PassAndDiscardLastTile(c);
    } catch (const RuntimeError& error) {
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("error in the time-out move: %1").arg(QString::fromStdString(error.what())));
    }
}
