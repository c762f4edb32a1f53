#pragma once
#include <QImage>

// The 49 × 49 word pictures of an announced claim: 吃 碰 杠 暗杠 红中杠 财神杠 补杠 胡.
QImage DrawClaimWord(int entry);
