#pragma once
// The window's OSC socket on Qt's event loop: datagrams on the OSC port drive the transport,
// and the show's state goes back to the peers (OscRemote). Feedback has a timer of its own,
// every 50 ms, apart from the display's; while a command waits for the playback tick a
// faster one carries it on, so the window never waits for the tick. One turn of the event
// loop reads a bounded number of datagrams: a flood is taken in turns, between which the
// window paints and answers. A port that cannot be bound is said once and leaves the old
// one listening; a port that failed at start is tried again when it is set.

#include "engine/transport.h"
#include "remote/osc_remote.h"
#include "remote/refusal_notice.h"
#include "settings/main_window_settings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <span>

class QTimer;
class QUdpSocket;

class OscServer : public QObject {
    Q_OBJECT
public:
    static constexpr int32_t FirstPort = 1;
    static constexpr int32_t LastPort = 65535;
    static constexpr int MaxDatagramsPerTurn = 64;

    // notify: the transport's notices; showTitle: what the show is called for the peers.
    OscServer(EngineState& state, Transport::Notify notify, OscCommandRunner::Hooks hooks,
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

    // A datagram as received from sender.
    void HandleDatagram(const QByteArray& datagram, const OscEndpoint& sender);
    // Carries waiting commands on, tells the peers what changed, and the status a refused
    // sender.
    void Update();
    // A show was opened: the peers hear of it at the next update.
    void ShowOpened() { remote_.ShowOpened(); }
    const OscRemote& Remote() const { return remote_; }

signals:
    // The status text of a command (panel 4), of a refused sender, or of a failed bind.
    void status(const QString& text);
    // A transport command was taken up.
    void commandDone();

private:
    static constexpr int FeedbackIntervalMs = 50;
    static constexpr int StepIntervalMs = 2;
    // A socket bound to port, or null (with the system's reason in error).
    QUdpSocket* Bind(int32_t port, QString& error);
    void ReadDatagrams();
    void FollowCommands();
    void SayBindFailed(int32_t port, const QString& error);
    void Send(const OscEndpoint& to, std::span<const uint8_t> datagram);

    OscRemote remote_;
    RefusalNotice refusals_{500};
    OscListSettings lists_;
    QUdpSocket* socket_ = nullptr;
    QTimer* steps_ = nullptr;
    bool readQueued_ = false;
    int32_t port_;
};
