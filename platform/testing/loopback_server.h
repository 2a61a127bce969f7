// A small HTTP server on 127.0.0.1 for network tests: serves canned answers
// by path (path and query, exactly as requested), counts requests, and can
// stay silent to test time-outs.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

namespace testing_support {

class LoopbackServer : public QObject {
    Q_OBJECT
public:
    LoopbackServer();

    // Base address "http://127.0.0.1:PORT".
    QString base() const;

    // Body served for a path ("/p/123?pn=2"), with a content type.
    void serve(const QByteArray& path, const QByteArray& body,
               const QByteArray& contentType = "text/html; charset=utf-8");
    // Raw bytes written for a path instead of an HTTP answer.
    void serveRaw(const QByteArray& path, const QByteArray& raw);
    // Paths with no answer at all (the connection stays open).
    void silence(const QByteArray& path);

    QStringList requests;  // every requested path, in order

private:
    void answer(class QTcpSocket* socket);

    QTcpServer server_;
    QHash<QByteArray, QByteArray> raw_;
    QList<QByteArray> silent_;
};

}  // namespace testing_support
