#pragma once
#include <QString>
#include <cstdint>
class Client;

// The lobby's music box, a program of its own: found by its window caption,
// shown by one posted message, started with one argument.
inline const QString kMusicBoxCaption = QStringLiteral("musicbox");
constexpr uint32_t MusicBoxMsgShow = 0x46F;
// The game centre's host of the music box's pages; the music box is told it too.
inline const QString MusicBoxWebHost = QStringLiteral("music.dravik.local");

// Shows the running music box, else starts it, else offers the page where it
// can be had.
void OpenMusicBox(Client& c);
// True when the first ordinary file that `path` names (a file pattern; hidden
// and system files do not count) is called exactly `fileName`, letter case included.
bool Is_File_Exist(const QString& path, const QString& fileName);
