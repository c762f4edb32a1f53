#include "table/Ticker.h"
#include "shared/Client.h"
#include "table/MainForm.h"

void AddSystemMessage(Client& c, const QString& text) {
    auto& [upper, lower] = c.mainForm->Sysmsg;
    if (lower->count() > 0) {
        const QString moved = lower->item(0)->text();
        upper->clear();
        upper->addItem(moved);
        lower->clear();
        lower->addItem(text);
    } else if (upper->count() > 0) {
        lower->clear();
        lower->addItem(text);
    } else {
        upper->clear();
        upper->addItem(text);
    }
}

void SetTickerLines(Client& c, const QString& upper, const QString& lower) {
    auto& lines = c.mainForm->Sysmsg;
    lines[0]->clear();
    lines[1]->clear();
    if (!upper.isNull()) lines[0]->addItem(upper);
    if (!lower.isNull()) lines[1]->addItem(lower);
}
