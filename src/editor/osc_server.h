#pragma once
// The OSC server of the window: a UDP socket on the OSC port whose datagrams drive the
// transport. A port that cannot be bound is said once and leaves the old one listening;
// a port that failed at start is tried again when it is set.

#include "engine/transport.h"
#include "remote/osc_receiver.h"

#include <QObject>
#include <QString>

#include <memory>

class QUdpSocket;

class OscServer : public QObject {
    Q_OBJECT
public:
    static constexpr int32_t FirstPort = 1;
    static constexpr int32_t LastPort = 65535;

    OscServer(EngineState& state, Transport& transport, OscReceiver::Hooks hooks, int32_t port,
              QObject* parent = nullptr);

    // Starts listening on the port; false (and said) when it cannot be bound.
    bool Listen();
    bool Listening() const;
    // The port written at exit: the one listened on, or the one asked for while none is.
    int32_t Port() const { return port_; }
    // Listens on port instead, at once: a port outside 1-65535 is refused and one that
    // cannot be bound is said, and either way the old socket stays. False when refused
    // or not bound.
    bool SetPort(int32_t port);
    void Close();

    // A datagram as received: runs its command and reports it.
    void HandleDatagram(const QByteArray& datagram);

signals:
    // The status text of a command (panel 4), or of a failed bind.
    void status(const QString& text);
    void commandDone();

private:
    // A socket bound to port, or null (with the system's reason in error).
    QUdpSocket* Bind(int32_t port, QString& error);
    void ReadDatagrams();
    void SayBindFailed(int32_t port, const QString& error);

    OscReceiver receiver_;
    QUdpSocket* socket_ = nullptr;
    int32_t port_;
};
