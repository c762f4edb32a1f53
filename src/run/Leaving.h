#pragma once
#include <QString>
class Client;

// Tells the server (when connected) and the video peers that this seat goes,
// stops the scheduler's jobs and waits a moment for the packet to leave.
void SendLeaveTable(Client& c);
// Takes the client back to an unseated, idle table window.
void ResetTable(Client& c);
// After the seat has left the table: the table cleared for a seating anew
// (table reset, hand state reset, the walls laid out again).
void ClearTableAfterLeaving(Client& c);
// Minimises the table window and gives the lobby's window back; ends the
// client with the reason when the lobby window is gone.
void HandBackToLobby(Client& c, const QString& reasonWhenLobbyGone);
