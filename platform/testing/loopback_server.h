// A small HTTP server on 127.0.0.1 for network tests: serves canned answers
// by path (path and query, exactly as requested), counts requests, and can
// misbehave: stay silent, trickle its answer, or never stop sending.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace testing_support {

class LoopbackServer : public QObject {
    Q_OBJECT
public:
    LoopbackServer();

    // Base address "http://127.0.0.1:PORT".
    QString base() const;

    // Body served for a path ("/p/123?pn=2"), with a content type and a
    // status line ("404 Not Found").
    void serve(const QByteArray& path, const QByteArray& body,
               const QByteArray& contentType = "text/html; charset=utf-8",
               const QByteArray& status = "200 OK");
    // Raw bytes written for a path instead of an HTTP answer.
    void serveRaw(const QByteArray& path, const QByteArray& raw);
    // Paths with no answer at all (the connection stays open).
    void silence(const QByteArray& path);
    // The head of an answer of bodySize bytes at once, then one byte of the
    // body every intervalMs.
    void trickle(const QByteArray& path, qint64 bodySize = 100000, int intervalMs = 1000);
    // A head without a length, then a body that never ends.
    void endless(const QByteArray& path, const QByteArray& contentType = "text/html");

    QStringList requests;  // every requested path, in order
    qint64 endlessBytesSent = 0;  // body bytes written by endless answers so far

private:
    void answer(QTcpSocket* socket);
    void startTrickle(QTcpSocket* socket, qint64 bodySize, int intervalMs);
    void startEndless(QTcpSocket* socket, const QByteArray& contentType);

    QTcpServer server_;
    QHash<QByteArray, QByteArray> raw_;
    QList<QByteArray> silent_;
    QHash<QByteArray, std::pair<qint64, int>> trickle_;
    QHash<QByteArray, QByteArray> endless_;
};

}  // namespace testing_support
