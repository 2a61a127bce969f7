#include "platform/testing/loopback_server.h"

#include <QTcpSocket>

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

void LoopbackServer::serve(const QByteArray& path, const QByteArray& body, const QByteArray& contentType)
{
    raw_[path] = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\nContent-Length: " +
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
    const auto it = raw_.constFind(path);
    socket->write(it != raw_.constEnd()
                      ? *it
                      : QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found"));
    socket->disconnectFromHost();
}

}  // namespace testing_support
