#pragma once
#include "dravik-server/HandTable.h"
#include <QStringList>

// What a client at the server's table answers when its countdown runs out:
// on its turn a pass when anything was offered, then the last tile it holds
// (the one it drew); on a claim offer a pass. Answers the open prompt of
// every client seat once and returns the table's refusals, none when each
// answer was taken.
QStringList MakeTimeOutMoves(HandTable& table, HandTable::Time now);
