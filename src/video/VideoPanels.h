#pragma once
class Client;

// A remote seat's panel (1 to 3): its frame, command bar and view, shown with
// the view in front, or hidden.
void ShowSeatPanel(Client& c, int seat);
void HideSeatPanel(Client& c, int seat);
// Closes a remote seat's video until its next frame: the panel and the
// open-video icon hidden, its flags cleared, its video window hidden.
void CloseSeatVideo(Client& c, int seat);
// A click on a switched-off seat's open-video icon (seat 1 to 3) shows its video again.
void MainForm_ImgShow_Click(Client& c, int seat);
// The one-shot redraws: a remote seat's view, drawn twice with its kept
// frame while its command bar is shown, and the video window last opened or resized.
void MainForm_Timer_Vshow_Timer(Client& c, int seat);
void MainForm_Timer_Zoom_Timer(Client& c);
// Routes the open-video icons' clicks and the redraw timers' ticks.
void ConnectVideoPanelEvents(Client& c);
// Hides a remote seat's video panel and video window (s of 1 to 3), clears
// its video flags and forgets its last frame.
void ResetSeatVideo(Client& c, int s);
