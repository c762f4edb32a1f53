#pragma once
#include <array>
#include <cstdint>

// The own seat's answer to the current prompt: which claim buttons it
// offers and the chow and kong options found for it.
struct PlayState {
    // 2 for a claim button the current prompt offers (0 chow, 1 pung, 2 kong, 3 win, 4 pass), else 0.
    std::array<int16_t, 5> OperationState{};
    // The prompt's operation bits when it offered a kong.
    int16_t OfferedOps = 0;
    // Up to three chow options as pairs of own slots; (0, 1) hold the pair last sent.
    std::array<int16_t, 6> ChowChoices{};
    // Up to ten kong options, one own slot each; (0) holds the slot last sent.
    std::array<int16_t, 10> KongChoices{};
};

// Operation bits of the prompts, the answers and the announced claims.
namespace OperationBit {
constexpr int Pass = 1;
constexpr int Chow = 4;
constexpr int Pung = 8;
constexpr int ExposedKong = 16;
constexpr int ConcealedKong = 32;
constexpr int SingleKong = 64;
constexpr int Win = 128;
}  // namespace OperationBit

// Flags of a tile slot.
namespace SlotFlag {
constexpr int16_t Concealed = 1;
constexpr int16_t Chow = 2;
constexpr int16_t Pung = 3;
constexpr int16_t ExposedKong = 4;
constexpr int16_t ConcealedKong = 5;
constexpr int16_t SingleKong = 6;
}  // namespace SlotFlag
