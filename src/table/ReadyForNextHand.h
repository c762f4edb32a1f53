#pragma once
class Client;

// The table cleared for the next hand, once per hand.
void ClearTableForNextHand(Client& c);
// Tells the server that the own seat is ready for the next hand.
void SendReadyMessage(Client& c);
