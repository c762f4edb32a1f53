#pragma once
#include <cstdint>
class Client;

// The key handler of the table surface; F1 is the boss key.
void MainForm_Pic1_KeyDown(Client& c, int16_t& keyCode, int16_t& shift);
