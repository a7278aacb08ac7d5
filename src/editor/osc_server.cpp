#include "editor/osc_server.h"

#include "common/messages.h"
#include "common/string_table.h"

#include <QHostAddress>
#include <QUdpSocket>

OscServer::OscServer(EngineState& state, Transport& transport, OscReceiver::Hooks hooks, int32_t port,
                     QObject* parent)
    : QObject(parent), receiver_(state, transport, std::move(hooks)), port_(port)
{
}

bool OscServer::Listening() const { return socket_ != nullptr; }

QUdpSocket* OscServer::Bind(int32_t port, QString& error)
{
    auto* socket = new QUdpSocket(this);
    if (port < FirstPort || port > LastPort || !socket->bind(QHostAddress::AnyIPv4, quint16(port))) {
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

void OscServer::ReadDatagrams()
{
    while (socket_ && socket_->hasPendingDatagrams()) {
        QByteArray datagram(int(socket_->pendingDatagramSize()), '\0');
        const qint64 n = socket_->readDatagram(datagram.data(), datagram.size());
        if (n < 0)
            continue;
        datagram.resize(int(n));
        HandleDatagram(datagram);
    }
}

void OscServer::HandleDatagram(const QByteArray& datagram)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(datagram.constData());
    if (std::optional<std::string> text = receiver_.OscServerUDPRead(std::span(bytes, size_t(datagram.size()))))
        emit status(QString::fromStdString(*text));
    emit commandDone();
}
