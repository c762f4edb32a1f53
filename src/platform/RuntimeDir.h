#pragma once
#include <QString>

// The folder of the lobby link's endpoints and the instance lock:
// DRAVIK_RUNTIME_DIR, else $XDG_RUNTIME_DIR/dravik, else /tmp/dravik-<uid>.
// It is created with mode 0700; an existing folder must belong to this user
// (its mode is narrowed to 0700). Returns an empty string and sets *error
// when the folder cannot be used.
QString PrepareRuntimeDir(QString* error);
