#include "wire/ServerConnection.h"
#include "wire/PacketTransport.h"
#include "wire/Proxy.h"
#include "shared/Client.h"

void ConnectToServer(Client& c) {
    if (c.connection.ProxyType == 0) {
        c.Winsock1.RemoteHost = c.connection.ServerAddr.HostName;
        c.Winsock1.RemotePort = c.connection.ServerAddr.Port;
        if (c.Winsock1.State() != TcpLink::StateClosed) c.Winsock1.Close();
        DropPartialPacket(c.transport);
        c.Winsock1.Connect();
        c.TimerBong.SetEnabled(true);
        c.scheduler.LoginJobOn = true;
        c.scheduler.LoginJobTicks = 0;
    } else if (c.connection.ProxyType == 5) {
        c.scheduler.LoginJobOn = false;
        ConnectViaProxy(c);
    }
}
