#pragma once
class Client;

// The table window's load event: the whole start-up in one pass.
void MainForm_Form_Load(Client& c);
// The table window was minimised or restored.
void MainForm_Form_Resize(Client& c);
// The table window is closing: sound and video stop, every window goes, the client ends.
void MainForm_Form_Unload(Client& c);
