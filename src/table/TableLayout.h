#pragma once
class Client;

// Creates and places the table window's controls at start-up.
void InitTableLayout(Client& c);
// Finishes the table controls and starts the own webcam (TableControls.cpp).
void InitTableControls(Client& c);
