// HTTP request in the manner of an asynchronous request object: open with a
// method and an address, send, then poll readyState until it reaches 4 while
// window events run. Completion, failure and time-out all reach state 4; the
// error flag tells them apart.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QNetworkReply;

namespace platform {

constexpr int kDefaultHttpTimeoutMs = 30000;

class HttpRequest : public QObject {
    Q_OBJECT
public:
    explicit HttpRequest(int timeoutMs = kDefaultHttpTimeoutMs, QObject* parent = nullptr);
    ~HttpRequest() override;

    // Method "get" (any case) and a complete address; the address is used as
    // given. A malformed address fails at send().
    void open(const QString& method, const QString& url);
    void send();

    // 0 before send, 1 while the request runs, 4 when it has completed,
    // failed or timed out.
    int readyState() const { return state_; }
    bool failed() const { return failed_; }
    QString errorText() const { return error_; }

    // The body decoded by the response's charset, UTF-8 when none is given.
    QString responseText() const;
    QByteArray responseBody() const { return body_; }

    // Lets window events run until the request reaches state 4, or until
    // stop() says so (then the request is aborted and counts as failed).
    void waitUntilDone(const std::function<bool()>& stop = {});

private:
    void finish(QNetworkReply* reply);

    int timeoutMs_;
    QString method_;
    QString url_;
    int state_ = 0;
    bool failed_ = false;
    QString error_;
    QByteArray body_;
    QByteArray charset_;
    QNetworkReply* reply_ = nullptr;
};

// Text of bytes in the named character set (GBK family through the system
// converter); UTF-8 when the name is empty or unknown.
QString decodeCharset(const QByteArray& bytes, const QByteArray& charset);

}  // namespace platform
