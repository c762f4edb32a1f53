#include "window/PhraseWindow.h"
#include "shared/Client.h"

// Placeholder until the quick phrases are built: two empty lists.
PhraseWindow::PhraseWindow(Client&) : List1(new QListWidget(this)), List2(new QListWidget(this)), Label1(new QLabel(this)) {}
