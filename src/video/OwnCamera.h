#pragma once
class Client;

// Starts the own camera over the own portrait; a camera that cannot start
// adds a ticker line and the table goes on without the own video. The
// start-up lays the command bar over the camera picture; a later restart
// leaves the bar where it is.
void StartOwnCamera(Client& c, bool barOverCamera);
