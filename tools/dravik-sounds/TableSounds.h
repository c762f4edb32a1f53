#pragma once
#include <cstdint>
#include <vector>

// The table's sounds as 16-bit samples at the WAV rate.
std::vector<int16_t> StartUpTune();    // a few seconds of plucked pentatonic melody that loops without a click
std::vector<int16_t> DiscardClick();   // a tile laid on the table
std::vector<int16_t> DrawTick();       // a tile taken from the wall
std::vector<int16_t> ShuffleRattle();  // tiles shuffled and stacked
std::vector<int16_t> DiceRattle();     // two dice bouncing to rest
std::vector<int16_t> CountdownBeep();  // the turn's last seconds
