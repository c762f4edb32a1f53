#pragma once
#include <QImage>
#include <QSize>

// The word pictures of an announced claim: 吃 碰 杠 暗杠 红中杠 财神杠 补杠 胡.
QImage DrawClaimWord(int entry);
inline constexpr QSize ClaimWordSize{49, 49};
