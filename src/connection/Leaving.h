#pragma once
class Client;

// Tells the server (when connected) and the video peers that this seat goes,
// stops the scheduler's jobs and waits a moment for the packet to leave.
void SendLeaveTable(Client& c);
// Takes the client back to an unseated, idle table window.
void ResetTable(Client& c);
// Hides a remote seat's video (s of 1 to 3) and puts its video words back to their starting values.
void ResetSeatVideo(Client& c, int s);
