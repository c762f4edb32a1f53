#pragma once
#include <cstdint>
class Client;

// A spectator's discard rows: every discard, shown or face down, goes
// straight into its row, and a claimed one leaves it again.

// Lists a right-seat discard and re-stacks the list. The list holds 24; a
// later discard of the hand is laid but neither listed nor re-stacked.
void ListRightDiscard(Client& c, int16_t image);
// Keeps the place just laid at in SavedDiscardX/Y and moves the seat's next
// discard place on by its row rule.
void MoveDiscardPlaceOn(Client& c, int seat);
// The claimed last discard leaves its discarder's row: the discarder's next
// discard takes its place, and it leaves the right seat's list.
void TakeBackClaimedDiscard(Client& c);
