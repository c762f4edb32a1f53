#pragma once
class Client;

// Paints the table window's skinned frame on a screen larger than the table.
void PaintSkinFrame(Client& c);
