#include "video/MusicBox.h"
#include "shared/Client.h"
#include "table/Sound.h"
#include <QDir>
#include <QFileInfo>

namespace {
const QString kProgramPath = QStringLiteral("\\..\\..\\plugin\\music.exe");
const QString kProgramName = QStringLiteral("music.exe");
const QString kIncompleteLobby = QStringLiteral("您的大厅安装不完整，请重新安装或到网站上下载独立的安装程序！");
const QString kLobbyTitle = QStringLiteral("Jokro山庄提示");
}  // namespace

void OpenMusicBox(Client& c) {
    LobbyLink& windows = *c.platform.lobby;
    // A running music box is only brought forward: the table's sound plays on.
    if (windows.FindWindow(kMusicBoxCaption)) {
        windows.PostMessage(kMusicBoxCaption, MusicBoxMsgShow, 0, 0);
        return;
    }
    StopSound(c);
    const QString program = c.platform.paths.Resolve(kProgramPath);
    if (Is_File_Exist(program, kProgramName)) {
        // Three fields, each closed by "$": the account of local seat 0, a
        // field the table never fills, and the web host.
        const QString argument = c.playerInfo[0].Account + QStringLiteral("$$") + MusicBoxWebHost + QStringLiteral("$");
        c.platform.shell->StartProgram(program, {argument});
        return;
    }
    if (c.platform.dialogs->MsgBox(kIncompleteLobby, Dialogs::OkCancel, kLobbyTitle) == Dialogs::Ok)
        c.platform.shell->Open(QStringLiteral("http://") + MusicBoxWebHost + QStringLiteral("/magic.php"));
}

bool Is_File_Exist(const QString& path, const QString& fileName) {
    const QFileInfo pattern(path);
    const QStringList matches = QDir(pattern.path()).entryList({pattern.fileName()}, QDir::Files, QDir::Name);
    return !matches.isEmpty() && matches.first() == fileName;
}
