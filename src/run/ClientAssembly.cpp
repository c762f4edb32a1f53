#include "run/ClientAssembly.h"
#include "messages/ReceivedChat.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/Ticker.h"

void AssembleClient(Client& c) {
    c.mainForm = MakeWindow<MainForm>(*c.platform.camera);
    c.upward.setTickerLines = [](Client& c, const QString& upper, const QString& lower) {
        SetTickerLines(c, upper, lower);
    };
    c.upward.restartTicker = [](Client& c, const QString& text) {
        c.mainForm->Sysmsg[0]->clear();
        AddSystemMessage(c, text);
    };
    c.upward.showReceivedChat = ShowReceivedChat;
}
