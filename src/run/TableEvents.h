#pragma once
class Client;

// Connects the table window's controls to what they start, once they are placed:
// the own hand, the button row, the video, the frame, the keys, the small
// table, the chat and the banner; the own camera starts once the window is up.
void ConnectTableEvents(Client& c);
