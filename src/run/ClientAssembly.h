#pragma once
class Client;

// Completes a client just built: gives it its table window and hands the
// wire the work of the floors above it that it must start.
void AssembleClient(Client& c);
