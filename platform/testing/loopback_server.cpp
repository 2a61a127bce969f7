#include "platform/testing/loopback_server.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace testing_support {

LoopbackServer::LoopbackServer()
{
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LoopbackServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void LoopbackServer::serve(const QByteArray& path, const QByteArray& body, const QByteArray& contentType,
                           const QByteArray& status)
{
    raw_[path] = "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType + "\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void LoopbackServer::serveRaw(const QByteArray& path, const QByteArray& raw)
{
    raw_[path] = raw;
}

void LoopbackServer::silence(const QByteArray& path)
{
    silent_ << path;
}

void LoopbackServer::trickle(const QByteArray& path, qint64 bodySize, int intervalMs)
{
    trickle_[path] = {bodySize, intervalMs};
}

void LoopbackServer::endless(const QByteArray& path, const QByteArray& contentType)
{
    endless_[path] = contentType;
}

void LoopbackServer::startTrickle(QTcpSocket* socket, qint64 bodySize, int intervalMs)
{
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(bodySize) +
                  "\r\nConnection: close\r\n\r\n");
    auto* timer = new QTimer(socket);
    auto left = std::make_shared<qint64>(bodySize);
    connect(timer, &QTimer::timeout, socket, [socket, timer, left] {
        if (*left <= 0 || socket->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        socket->write("x");
        --*left;
    });
    timer->start(intervalMs);
}

void LoopbackServer::startEndless(QTcpSocket* socket, const QByteArray& contentType)
{
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\nConnection: close\r\n\r\n");
    const QByteArray chunk(64 * 1024, 'a');
    const auto more = [this, socket, chunk] {
        // Keep a little queued, so that the client sets the pace.
        while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * chunk.size()) {
            socket->write(chunk);
            endlessBytesSent += chunk.size();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, this, more);
    more();
}

void LoopbackServer::answer(QTcpSocket* socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray path = first.size() > 1 ? first[1] : QByteArray("/");
    requests << QString::fromUtf8(path);
    if (silent_.contains(path))
        return;
    socket->disconnect(this);  // one answer per connection
    if (const auto t = trickle_.constFind(path); t != trickle_.constEnd()) {
        startTrickle(socket, t->first, t->second);
        return;
    }
    if (const auto e = endless_.constFind(path); e != endless_.constEnd()) {
        startEndless(socket, *e);
        return;
    }
    const auto it = raw_.constFind(path);
    socket->write(it != raw_.constEnd()
                      ? *it
                      : QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found"));
    socket->disconnectFromHost();
}

}  // namespace testing_support
