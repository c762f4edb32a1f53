#pragma once
class Client;

// Hands the wire the work of the floors above it that it must start.
void ConnectUpwardCalls(Client& c);
