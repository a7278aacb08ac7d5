#include "remote/qt/osc_server.h"

#include "common/messages.h"
#include "common/string_table.h"
#include "gui_common/osc_list_texts.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

OscServer::OscServer(EngineState& state, Transport::Notify notify, OscCommandRunner::Hooks hooks,
                     std::function<std::string()> showTitle, int32_t port, QObject* parent)
    : QObject(parent),
      remote_(state, std::move(notify), std::move(hooks), std::move(showTitle),
              [this](const OscEndpoint& to, std::span<const uint8_t> datagram) { Send(to, datagram); },
              [this](const std::string& text, bool ran) {
                  emit status(QString::fromStdString(text));
                  if (ran)
                      emit commandDone();
              }),
      port_(port)
{
    // A command waiting for the tick is looked at again within a frame.
    steps_ = new QTimer(this);
    steps_->setTimerType(Qt::PreciseTimer);
    connect(steps_, &QTimer::timeout, this, &OscServer::Update);
    // The peers' own clock, apart from the display's interval and its holds: the position
    // goes out up to ten times a second and a new show at once. Never on the frame tick, so
    // a slow or absent peer never delays a frame.
    auto* feedback = new QTimer(this);
    feedback->setTimerType(Qt::PreciseTimer);
    connect(feedback, &QTimer::timeout, this, &OscServer::Update);
    feedback->start(FeedbackIntervalMs);
}

void OscServer::Send(const OscEndpoint& to, std::span<const uint8_t> datagram)
{
    // From the OSC port, where peers expect the answers to come from. A full send buffer
    // loses this message; the next update says where the show stands again.
    if (socket_)
        socket_->writeDatagram(reinterpret_cast<const char*>(datagram.data()), qint64(datagram.size()),
                               QHostAddress(to.address), to.port);
}

void OscServer::SetLists(const OscListSettings& lists)
{
    lists_ = lists;
    const ParsedList<OscEndpoint> targets = ParseEndpointList(lists.FeedbackTargets);
    remote_.SetFeedbackTargets(targets.items);
    if (targets.bad)
        ShowError(BadFeedbackTargetText(QString::fromStdString(*targets.bad)).toStdString());
    const ParsedList<AddressRange> allow = ParseRangeList(lists.AllowFrom);
    // A list that cannot be read lets nobody in rather than everyone: 0.0.0.0 sends nothing.
    remote_.SetAllowFrom(allow.bad ? std::vector<AddressRange>{AddressRange{0, 32}} : allow.items);
    if (allow.bad)
        ShowError(BadAllowFromText(QString::fromStdString(*allow.bad)).toStdString());
}

bool OscServer::Listening() const { return socket_ != nullptr; }

QUdpSocket* OscServer::Bind(int32_t port, QString& error)
{
    // A stored port out of range is named as such; the socket would only say it knows not why.
    if (port < FirstPort || port > LastPort) {
        error = tr("%1 から %2 の間ではありません").arg(FirstPort).arg(LastPort);
        return nullptr;
    }
    auto* socket = new QUdpSocket(this);
    if (!socket->bind(QHostAddress::AnyIPv4, quint16(port))) {
        error = socket->errorString();
        delete socket;
        return nullptr;
    }
    connect(socket, &QUdpSocket::readyRead, this, &OscServer::ReadDatagrams);
    return socket;
}

void OscServer::SayBindFailed(int32_t port, const QString& error)
{
    const QString text = tr("OSC: ポート %1 を開けません (%2)").arg(port).arg(error);
    emit status(text);
    ShowError(text.toStdString());
}

bool OscServer::Listen()
{
    if (socket_)
        return true;
    QString error;
    socket_ = Bind(port_, error);
    // The program goes on without remote control; the person is told once.
    if (!socket_)
        SayBindFailed(port_, error);
    return socket_ != nullptr;
}

bool OscServer::SetPort(int32_t port)
{
    if (port < FirstPort || port > LastPort) {
        ShowError(Translated("Core", Msg::OscPortRange) + std::to_string(port));
        return false;
    }
    if (socket_ && port == port_)
        return true;
    QString error;
    QUdpSocket* socket = Bind(port, error);
    if (!socket) {
        SayBindFailed(port, error);
        return false;
    }
    delete socket_;
    socket_ = socket;
    port_ = port;
    emit status({});
    return true;
}

void OscServer::Close()
{
    delete socket_;
    socket_ = nullptr;
}

void OscServer::FollowCommands()
{
    if (remote_.Busy() && !steps_->isActive())
        steps_->start(StepIntervalMs);
    else if (!remote_.Busy() && steps_->isActive())
        steps_->stop();
}

void OscServer::ReadDatagrams()
{
    readQueued_ = false;
    int taken = 0;
    while (socket_ && taken < MaxDatagramsPerTurn) {
        // Received even when none seems to wait: only a receive lets the socket tell of the
        // next datagram again. A reply that bounced (its peer gone) comes back as an error
        // in place of a datagram, and the datagrams behind it still wait. A datagram too
        // large for the decoder is cut one byte past its limit, which it then refuses.
        const QNetworkDatagram datagram = socket_->receiveDatagram(qint64(TOscUnit::MaxSize) + 1);
        if (!datagram.isValid()) {
            if (socket_->hasPendingDatagrams())
                continue;
            break;
        }
        ++taken;
        HandleDatagram(datagram.data(), OscEndpoint{datagram.senderAddress().toIPv4Address(),
                                                    quint16(datagram.senderPort())});
    }
    // The rest in a later turn, after what else is waiting: input, painting, timers.
    if (taken == MaxDatagramsPerTurn && !readQueued_) {
        readQueued_ = true;
        QMetaObject::invokeMethod(this, &OscServer::ReadDatagrams, Qt::QueuedConnection);
    }
}

void OscServer::HandleDatagram(const QByteArray& datagram, const OscEndpoint& sender)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(datagram.constData());
    remote_.Receive(std::span(bytes, size_t(datagram.size())), sender);
    FollowCommands();
}

void OscServer::Update()
{
    remote_.Update();
    FollowCommands();
    if (const std::optional<RefusalNotice::News> refused = refusals_.Take(remote_, SystemClock().NowMs()))
        emit status(tr("OSC: 拒否 %1 (%2 件)")
                        .arg(QString::fromStdString(EndpointText(refused->sender)))
                        .arg(refused->count));
}
