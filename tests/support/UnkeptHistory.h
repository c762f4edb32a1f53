#pragma once
#include <QString>
class Client;

// Hand histories that cannot be kept, made real for a test that runs as
// root, whom file modes do not stop.

// What the ticker says when the hands of a seating are not stored.
extern const QString kHandsNotRecorded;
// How many of the two ticker lines say so now.
int HandsNotRecordedShown(const Client& c);
// A folder, with a file in it, where the history file should be: nothing
// removes it as the file and nothing can be written there.
void PutFolderInPlaceOfHistory(const Client& c);
// The program folder turns into a file: no file can be made under it.
void TurnProgramFolderIntoAFile(const Client& c);
