#pragma once
#include <QString>
class Client;

// The banner browser of the table window. Placeholder until the banner is
// shown: it keeps the address and the visibility it is given.
struct BannerBrowser {
    QString LocationURL;
    bool Visible = false;
    void Navigate(const QString& url) { LocationURL = url; }
};

// Connects the banner's page events to their procedures.
void ConnectBannerEvents(Client& c);
