#pragma once
class Client;

// Closes a seating once its four seat names and four player records are in:
// the wind draw and the compass for the own seat, the score-board and
// hand-list buttons released, and a voice for every seat. Does nothing at
// any other time.
void ResolveSeatOrder(Client& c);
