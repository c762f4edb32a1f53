#pragma once
#include <QWidget>
class Client;

// The sound-settings dialog VosSet. Created on first use.
class SoundSettingsDialog : public QWidget {
    Q_OBJECT
public:
    explicit SoundSettingsDialog(Client& c);
};
