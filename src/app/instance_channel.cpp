#include "app/instance_channel.h"

#include "common/hand_over_lines.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <memory>
#include <string>
#include <string_view>

InstanceChannel::InstanceChannel(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

bool InstanceChannel::Listen(std::function<void(const QString& path)> open)
{
    open_ = std::move(open);
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

void InstanceChannel::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // One line per show; a partial line waits for the rest, up to a bound.
        auto lines = std::make_shared<HandOverLines>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, lines] {
            const QByteArray bytes = socket->readAll();
            for (const std::string& line : lines->Take(std::string_view(bytes.constData(), size_t(bytes.size())))) {
                const QString path = QString::fromStdString(line);
                // Opening may ask about unsaved changes in a modal box: not from inside
                // the socket's own signal.
                if (open_)
                    QMetaObject::invokeMethod(this, [this, path] { open_(path); }, Qt::QueuedConnection);
            }
            if (lines->Refused()) {
                socket->abort();
                socket->deleteLater();
            }
        });
    }
}

bool InstanceChannel::Send(const QString& name, const QString& path)
{
    // The running program may still be starting and not listen yet: try for a few seconds.
    QLocalSocket socket;
    for (int attempt = 0;; ++attempt) {
        socket.connectToServer(name);
        if (socket.waitForConnected(2000))
            break;
        if (attempt == 50)
            return false;
        QThread::msleep(100);
    }
    socket.write(path.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return sent;
}
