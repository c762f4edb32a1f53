#pragma once
class Client;

// A click on command icon `index` of the command bars: bar k holds icons 4k
// to 4k + 3. The own bar opens the photo album, zooms the own video, takes a
// photo of it and opens the music box; a remote bar switches the seat's video
// off, zooms it and takes a photo of it. Icons 7, 11, 15 and any other index
// do nothing.
void MainForm_ImCmd_Click(Client& c, int index);
// Tells the user in the ticker that a photo went into the album.
void ShowPhotoSavedMessage(Client& c);
