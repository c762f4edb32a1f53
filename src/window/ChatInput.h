#pragma once
class Client;

// Connects the chat box's keys and changes, the portraits' clicks and the
// send throttle to their procedures.
void ConnectChatEvents(Client& c);
