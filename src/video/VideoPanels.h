#pragma once
class Client;

// A click on a switched-off seat's open-video icon (seat 1 to 3) shows its video again.
void MainForm_ImgShow_Click(Client& c, int seat);
// The one-shot redraws: a remote seat's view, drawn twice with its kept
// frame while its command bar is shown, and the video window last opened or resized.
void MainForm_Timer_Vshow_Timer(Client& c, int seat);
void MainForm_Timer_Zoom_Timer(Client& c);
// Routes the open-video icons' clicks and the redraw timers' ticks.
void ConnectVideoPanelEvents(Client& c);
