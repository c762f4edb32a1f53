#include "run/UpwardCallsSetUp.h"
#include "messages/ReceivedChat.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/Ticker.h"

void ConnectUpwardCalls(Client& c) {
    c.upward.setTickerLines = [](Client& c, const QString& upper, const QString& lower) {
        SetTickerLines(c, upper, lower);
    };
    c.upward.restartTicker = [](Client& c, const QString& text) {
        c.mainForm->Sysmsg[0]->clear();
        AddSystemMessage(c, text);
    };
    c.upward.showReceivedChat = ShowReceivedChat;
}
