#pragma once
#include <cstdint>
class Client;

// A key that gives the chat box a character (Enter 13 and Backspace 8
// included): Enter sends, within the throttle; Backspace into a private
// prefix marks it for removal.
void MainForm_Chat_KeyPress(Client& c, int16_t keyAscii);
// The chat box's text changed: completes a Backspace into the private prefix.
void MainForm_Chat_Change(Client& c);
// A click on a portrait makes the next line private to that player.
void MainForm_Tou_Click(Client& c, int16_t index);
// The throttle's tick: Enter may send again.
void MainForm_TimerChat_Timer(Client& c);

// Connects the chat box's keys and changes, the portraits' clicks, the chat
// log's and phrase window's click areas and the send throttle to their procedures.
void ConnectChatEvents(Client& c);
