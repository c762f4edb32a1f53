#pragma once
#include "dravik-server/Rules.h"
#include <QString>

// How the server's log names tiles and moves.

// Two lower-case hex digits; 00 where no tile applies.
QString TileHex(Rules::Tile tile);
// pass, chow, pung, kong, concealed-kong, single-kong or win; op<n> for
// anything else.
QString OperationName(int operation);
