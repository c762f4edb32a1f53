#pragma once
#include "../play/OwnHandFixture.h"
#include <initializer_list>

// Tiles by suit and rank, as the tests write hands.
inline std::vector<int> Suit(int suitBit, std::initializer_list<int> ranks) {
    std::vector<int> tiles;
    for (int r : ranks) tiles.push_back(suitBit * 16 + r);
    return tiles;
}
inline std::vector<int> Honours(std::initializer_list<int> ranks) { return Suit(1, ranks); }
inline std::vector<int> Bamboo(std::initializer_list<int> ranks) { return Suit(2, ranks); }
inline std::vector<int> Characters(std::initializer_list<int> ranks) { return Suit(4, ranks); }
inline std::vector<int> Circles(std::initializer_list<int> ranks) { return Suit(8, ranks); }
inline std::vector<int> Joined(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> tiles;
    for (const auto& part : parts) tiles.insert(tiles.end(), part.begin(), part.end());
    return tiles;
}

constexpr int kEast = 0x11;
