#pragma once
class Client;

// Paints the table window's skinned frame on a screen larger than the table.
void PaintSkinFrame(Client& c);
// Connects the frame's caption buttons and drag strip to their procedures.
void ConnectFrameEvents(Client& c);
