#pragma once
class Client;

// Paints the table window's own frame for its current size and places the
// caption controls: icon, title, drag strip, close and minimise buttons.
void PaintSkinFrame(Client& c);

// The caption buttons' looks (index 0 is the button seen; the others hold
// its pictures and do nothing) and commands.
void MainForm_ImgClose_MouseMove(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgClose_MouseDown(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgClose_MouseUp(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgClose_Click(Client& c, int index);
void MainForm_ImgMin_MouseMove(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgMin_MouseDown(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgMin_MouseUp(Client& c, int index, int button, int shift, double x, double y);
void MainForm_ImgMin_Click(Client& c, int index);
// A left press on the drag strip hides the side windows and drags the window.
void MainForm_LbMove_MouseDown(Client& c, int button, int shift, double x, double y);
// The pointer on the drag strip or the bare window gives the caption buttons
// back their normal look.
void MainForm_LbMove_MouseMove(Client& c, int button, int shift, double x, double y);
void MainForm_Form_MouseMove(Client& c, int button, int shift, double x, double y);
// Connects the frame's caption buttons and drag strip to their procedures.
void ConnectFrameEvents(Client& c);
