#pragma once
// The OSC server of the window: a UDP socket on the OSC port whose datagrams drive the
// transport, and from which the show's state goes back to the command senders and the
// feedback targets (OscRemote). A port that cannot be bound is said once and leaves the old
// one listening; a port that failed at start is tried again when it is set. Feedback is
// sent from the display timer (Update), never from the frame tick.

#include "engine/transport.h"
#include "remote/osc_remote.h"
#include "remote/refusal_notice.h"
#include "settings/main_window_settings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QUdpSocket;

class OscServer : public QObject {
    Q_OBJECT
public:
    static constexpr int32_t FirstPort = 1;
    static constexpr int32_t LastPort = 65535;

    // showTitle: what the show is called for the peers.
    OscServer(EngineState& state, Transport& transport, OscReceiver::Hooks hooks,
              std::function<std::string()> showTitle, int32_t port, QObject* parent = nullptr);

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

    // The feedback targets and the allow list as the settings hold them. A list with an
    // item that is none is said, and stands for no targets, or for letting nobody in, until
    // it is set right; its text is kept as it was.
    void SetLists(const OscListSettings& lists);
    const OscListSettings& Lists() const { return lists_; }

    // A datagram as received from sender: runs its command and reports it.
    void HandleDatagram(const QByteArray& datagram, const OscEndpoint& sender);
    // Tells the peers what changed, and the status a refused sender.
    void Update();
    // A show was opened: the peers hear of it at the next update.
    void ShowOpened() { remote_.ShowOpened(); }
    const OscRemote& Remote() const { return remote_; }

signals:
    // The status text of a command (panel 4), of a refused sender, or of a failed bind.
    void status(const QString& text);
    void commandDone();

private:
    static constexpr int FeedbackIntervalMs = 50;
    // A socket bound to port, or null (with the system's reason in error).
    QUdpSocket* Bind(int32_t port, QString& error);
    void ReadDatagrams();
    void SayBindFailed(int32_t port, const QString& error);
    void Send(const OscEndpoint& to, std::span<const uint8_t> datagram);

    OscRemote remote_;
    RefusalNotice refusals_{500};
    OscListSettings lists_;
    QUdpSocket* socket_ = nullptr;
    int32_t port_;
};
