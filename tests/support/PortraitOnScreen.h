#pragma once
#include <QImage>

struct ResourceIds;

// Which of the twenty portraits a screenshot of the 1024 x 768 table shows at
// a local seat (0 own, 1 left, 2 opposite, 3 right): the one whose picture,
// stretched to the seat's portrait, differs least from what the screen shows.
// -1 when the screenshot does not hold the seat's portrait.
int PortraitShownAt(const QImage& screen, int seat, const ResourceIds& ids);
