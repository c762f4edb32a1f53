#pragma once
#include "table/Sound.h"
#include <cstdint>
#include <optional>
class Client;

// What announces a claim: its word picture (an entry of ActionWordIds) and
// what the claimant's voice says.
struct ClaimWord {
    int wordIndex;
    VoiceClaim voice;
};

// The word and voice of an announced claim; a one-tile kong's depend on its
// tile (the Red Dragon before the wild tile). No word for other codes.
std::optional<ClaimWord> WordOfClaim(const Client& c, int op, int16_t tile);
// Places the speech bubble of local seat 1, 2 or 3 beside the seat (the
// opposite seat's by its portrait), lays the word picture inside it and
// shows both in front of everything.
void ShowClaimBubble(Client& c, int seat);
// Gives the bubble's word picture the claim's word.
void ShowClaimWord(Client& c, const ClaimWord& word);
