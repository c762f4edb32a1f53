#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

// One of Debian's SOCKS5 servers (microsocks or dante), listening on a free
// loopback port for one test.
class LocalProxy {
public:
    struct Kind {
        const char* name;
        const char* program;
        QString user;
        QString password;
    };

    explicit LocalProxy(const Kind& kind);
    ~LocalProxy();

    bool Installed() const { return !path_.isEmpty(); }
    quint16 Port() const { return port_; }
    QString Output() const { return QString::fromLocal8Bit(output_); }

    // Starts the proxy and waits until the proxy's own process listens on its
    // port: false when it did not within the time, or ended first.
    bool Start(int timeoutMs);

private:
    bool StartOnFreePort(int timeoutMs);
    QStringList Arguments() const;
    QString WriteDanteConfig() const;

    Kind kind_;
    QTemporaryDir dir_;
    QString path_;
    quint16 port_ = 0;
    QProcess process_;
    QByteArray output_;
};

// Test names show the kind's name rather than the struct's bytes, which hold
// addresses and change with every build.
void PrintTo(const LocalProxy::Kind& kind, std::ostream* out);
