#pragma once
#include <cstdint>
class Client;

// The table window's handling of the messages it receives from the lobby.
void MainFormWndProc(Client& c, uint32_t msg, uint32_t wParam, uint32_t lParam);
