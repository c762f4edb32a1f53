#pragma once
class Client;

// The resource id of command icon `index`'s picture, normal or highlighted.
int VideoIconPictureId(const Client& c, int index, bool highlighted);
// Every command icon gets its normal picture.
void ShowNormalVideoIcons(Client& c);
// The pointer over command icon `index`: the icon lights up the first time it
// is reached; an icon of the own bar also shows its tool tip beside it.
void MainForm_ImCmd_MouseMove(Client& c, int index);
// The pointer over any command bar: the tool tip goes and every lit icon of
// every bar gets its normal picture back.
void MainForm_PicLocal_MouseMove(Client& c, int index);
