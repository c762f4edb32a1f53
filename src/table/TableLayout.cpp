#include "table/TableLayout.h"
#include "shared/Client.h"
#include "table/MainForm.h"

namespace {
template <typename Control, typename Make>
void CreateArray(std::vector<Control*>& array, int count, Make make) {
    while (int(array.size()) < count) array.push_back(make());
}
}  // namespace

// Placeholder until the table's layout is built: the controls exist, hidden.
void InitTableLayout(Client& c) {
    MainForm& f = *c.mainForm;
    CreateArray(f.AnNiu, 9, [&] { return f.NewImage(); });
    CreateArray(f.Tou, 4, [&] { return f.NewImage(); });
    CreateArray(f.OK, 4, [&] { return f.NewImage(); });
    CreateArray(f.Nid, 4, [&] { return f.NewLabel(); });
    CreateArray(f.Cash, 4, [&] { return f.NewLabel(); });
    CreateArray(f.Level, 4, [&] { return f.NewLabel(); });
}

// Placeholder until the table's controls are built: the tile images and
// bubbles exist, hidden, and the ticker stands at its place.
void InitTableControls(Client& c) {
    MainForm& f = *c.mainForm;
    CreateArray(f.MJ_Image, 136, [&] { return f.NewImage(); });
    CreateArray(f.Speak, 3, [&] { return f.NewImage(); });
    CreateArray(f.tsSpeak, 3, [&] { return f.NewImage(); });
    CreateArray(f.imgKoupai, 2, [&] { return f.NewImage(); });
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const int height = sx < 1 ? int((26 * sy + 4) / 2) : 13;
    const int top = sx < 1 ? int(696 * sy - 2) : 696;
    f.Sysmsg[0]->setGeometry(int(312 * sx), top, int(281 * sx), height);
    f.Sysmsg[1]->setGeometry(int(312 * sx), top + height, int(281 * sx), height);
    for (auto* line : f.Sysmsg) line->show();
}
