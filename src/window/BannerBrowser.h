#pragma once
class Client;

// The banner page has been shown: the browser is placed on its frame picture
// again, in front of the table's controls, and made visible, unless a
// navigation has already failed.
void MainForm_WebBrowser1_DocumentComplete(Client& c);
// The banner page cannot be loaded: the browser is hidden for good.
void MainForm_WebBrowser1_NavigateError(Client& c);

// Gives the banner its page loader and connects its page events to their procedures.
void ConnectBannerEvents(Client& c);
