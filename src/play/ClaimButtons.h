#pragma once
class Client;

// A click on claim button Index: 0 chow, 1 pung, 2 kong, 3 win, 4 pass.
void MainForm_Operation_Click(Client& c, int index);
// Finds the chows of the discard in the own hand: sends the only one, or
// shows them as choice pictures with a halved countdown.
void StartChow(Client& c, int discardTile);
// A click on chow picture Index; either picture of a pair sends that pair.
void MainForm_Chi_Click(Client& c, int index);
// Finds the offered kongs in the own hand: sends the only one (or, after a
// time-out, the first), or shows them as choice pictures with a halved
// countdown. True when it sent a kong; after a time-out with no kong found
// it sends nothing, and the caller must still answer the prompt.
bool StartKong(Client& c);
// A click on kong picture Index.
void MainForm_Gang_Click(Client& c, int index);
// The computer player's kong pre-test: True when the kong on offer would
// first of all lay down the hand's only wild tile.
bool FindKongChoices(Client& c);
