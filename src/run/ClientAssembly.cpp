#include "run/ClientAssembly.h"
#include "messages/ReceivedChat.h"
#include "run/Leaving.h"
#include "run/TableClosedNotice.h"
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
    c.upward.sendLeaveTable = SendLeaveTable;
    c.upward.clearTableAfterLeaving = ClearTableAfterLeaving;
    c.upward.handBackToLobby = HandBackToLobby;
    c.upward.showTableClosedNotice = ShowTableClosedNotice;
}
