#pragma once
#include <cstdint>
class Client;

// The own seat's answers to a prompt and its discard. Each answer queues one
// message and marks the meld slots it claims; none lays out a tile, plays a
// sound or hides a button. A spectator watches another player's seat and
// never answers for it: in spectator mode every procedure here sends nothing.

// Declines the prompt unless it was already answered.
void SendPass(Client& c);
// Chow of the last discard with the two own concealed slots, in that order.
void SendChow(Client& c, int slotA, int slotB);
// Pung of the discarded tile with the first concealed pair of it.
void SendPung(Client& c, int tile);
// Kong on the last discard; slot is the first of three equal concealed tiles.
void SendExposedKong(Client& c, int slot);
// Kong of four equal concealed tiles starting at slot.
void SendConcealedKong(Client& c, int slot);
// The concealed tile in slot added to an own pung.
void SendSingleKong(Client& c, int slot);
// Claims the win; the prompt still counts as unanswered for a later pass.
void SendWin(Client& c);
// Queues the discard of a tile.
void SendDiscard(Client& c, int tile);

// Stops the turn countdown and hides its label and plate.
void StopTurnCountdown(Client& c);
// Gives every claim button its idle picture and disables it; visibility is left.
void ReleaseClaimButtons(Client& c);
// Hides the five claim buttons.
void HideClaimButtons(Client& c);
// Gives every claim button its idle picture, disables and hides it, and
// hides the chow and kong choice pictures: nothing of a prompt stays up.
void ClearClaimControls(Client& c);
// Closes a prompt that can no longer be answered (its table is gone): the
// countdown stops and the claim buttons and choice pictures go.
void CloseOpenPrompt(Client& c);
// True when the own hand holds 3n + 2 concealed tiles, so it must discard.
bool IsOwnDiscardTurn(const Client& c);
