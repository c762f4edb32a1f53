#include "support/UnkeptHistory.h"
#include "results/HandHistory.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

const QString kHandsNotRecorded = QStringLiteral("牌局记录无法保存，以往牌局不能回看。");

int HandsNotRecordedShown(const Client& c) {
    int shown = 0;
    for (const QListWidget* line : c.mainForm->Sysmsg)
        for (int i = 0; i < line->count(); ++i) shown += line->item(i)->text() == kHandsNotRecorded;
    return shown;
}

void PutFolderInPlaceOfHistory(const Client& c) {
    const QString history = HandHistoryPath(c);
    QFile::remove(history);
    ASSERT_TRUE(QDir().mkpath(history));
    QFile inside(history + QStringLiteral("/kept"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
}

void TurnProgramFolderIntoAFile(const Client& c) {
    const QString folder = c.platform.paths.ProgramDir();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile file(folder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}
