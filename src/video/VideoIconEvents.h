#pragma once
class Client;

// Gives the command icons their normal pictures and routes the mouse events
// of the icons and of their bars to the icons' procedures.
void InitVideoIcons(Client& c);
