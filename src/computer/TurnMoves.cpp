#include "computer/TurnMoves.h"
#include "connection/LobbyWindowLink.h"
#include "play/CentreDiscard.h"
#include "play/ClaimAnswers.h"
#include "play/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/ResourceIds.h"

namespace {
void ClearClaimControls(Client& c) {
    MainForm& f = *c.mainForm;
    ReleaseClaimButtons(c);
    HideClaimButtons(c);
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
    if (!IsOwnDiscardTurn(c)) return;
    t.MustDiscard = false;
    SetDiscardTileSize(c, 0);
    const TileSlot& last = OwnSlot(c, own.FirstConcealed + own.ConcealedCount - 1);
    SendDiscard(c, last.Tile);
    t.LastDiscardImage = last.Image;
    t.LastDiscarder = 0;
    LayDiscardInCentre(c, 0, last.Image, last.Tile);
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
