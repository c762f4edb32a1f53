#pragma once
class Client;

// Decodes the received chat line in PacketIn: the sender's voice phrase, the
// own name shown as "你", the word filter, the chat log, the ticker and the
// blinking chat button. CurrentMessage.SeatBit becomes the sender's local seat.
void ShowReceivedChat(Client& c);
