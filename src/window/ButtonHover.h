#pragma once
class Client;

// The entry of BarButtonIds that button `button` of the row shows, normal
// or highlighted. The start button shows its 开始 pair until a hand has
// started since the seating or the button was pressed, its 继续 pair after.
int BarButtonPictureEntry(const Client& c, int button, bool highlighted);
// The pointer over button `index` of the row: the button lights up the
// first time it is reached and carries its tool tip.
void MainForm_AnNiu_MouseMove(Client& c, int index);
// Every lit button of the row gets its normal picture back.
void RestoreHighlightedButtons(Client& c);
