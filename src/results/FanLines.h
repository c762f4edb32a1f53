#pragma once
class Client;

// Each seat's fan lines on the score board, from the hand's result items:
// the winners' scoring patterns, the dealt-in line, the total fan and its
// rule. Appends to the seat lists and touches nothing else.
void ShowFanDetails(Client& c);
