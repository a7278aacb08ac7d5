#pragma once
// How a second start hands a show to the program that is already running: a local socket
// beside the single-instance lock. The running program listens; a second start that was
// given a show connects, sends the show's absolute path and a newline, and ends.

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // name: the socket's full path.
    explicit InstanceChannel(QString name, QObject* parent = nullptr);

    // Listens, replacing a socket file a crashed run left behind (the caller holds the lock,
    // so no other program listens there). Each path received goes to open; a peer whose
    // line runs past any path's length (HandOverLines) is cut off.
    bool Listen(std::function<void(const QString& path)> open);

    // The second start's side: whether the running program took the path.
    static bool Send(const QString& name, const QString& path);

private:
    void Accept();

    QString name_;
    QLocalServer* server_;
    std::function<void(const QString&)> open_;
};
