// HTTP request in the manner of an asynchronous request object: open with a
// method and an address, send, then wait for readyState 4 while window
// events run. Every request follows one rule: an overall deadline from send
// to the last byte, a cap on the body, and a stop test of the caller (the
// window closed). Completion, failure, time-out, an oversized body and a stop
// all reach state 4; the error flag tells an answer from the rest. The HTTP
// status is no failure: an error page is read like any other page.
#pragma once

#include "platform/charset_decode.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

class QNetworkReply;

namespace platform {

constexpr int kDefaultHttpTimeoutMs = 30000;
constexpr qint64 kPageBodyCap = qint64(64) << 20;
constexpr qint64 kPictureBodyCap = qint64(16) << 20;

struct RequestRule {
    int deadlineMs = kDefaultHttpTimeoutMs;  // from send to the last byte
    qint64 maxBytes = kPageBodyCap;          // a longer body is refused
    std::function<bool()> stop;              // true abandons the request at once
};

// The rule for pictures: the same deadline, the picture cap.
RequestRule pictureRule(int deadlineMs = kDefaultHttpTimeoutMs, std::function<bool()> stop = {});

class HttpRequest : public QObject {
    Q_OBJECT
public:
    explicit HttpRequest(RequestRule rule = {}, QObject* parent = nullptr);
    ~HttpRequest() override;

    // Method "get" (any case) and a complete address; the address is used as
    // given. A malformed address fails at send().
    void open(const QString& method, const QString& url);
    // Starts the request and its deadline.
    void send();

    // 0 before send, 1 while the request runs, 4 when it has completed,
    // failed, timed out, been refused for its size or stopped.
    int readyState() const { return state_; }
    bool failed() const { return failed_; }
    QString errorText() const { return error_; }

    // The body decoded by the response's charset (see decodeCharset).
    QString responseText() const;
    QByteArray responseBody() const { return body_; }
    QByteArray charset() const { return charset_; }

    // Lets window events run until the request reaches state 4. The thread
    // sleeps between events: a local event loop ends on the reply's end, the
    // deadline or the stop test, which a short timer asks.
    void waitUntilDone();

signals:
    void ended();

private:
    void readBody();
    void finish();
    // Ends a running request as failed with this reason.
    void fail(const QString& reason);
    void dropReply();

    RequestRule rule_;
    QString method_;
    QString url_;
    int state_ = 0;
    bool failed_ = false;
    bool tooLong_ = false;  // the answer announced a body over the cap
    QString error_;
    QByteArray body_;
    QByteArray charset_;
    QNetworkReply* reply_ = nullptr;
    QElapsedTimer sent_;
};

// Body of a GET under the rule; failed for every failure of the rule.
struct Fetched {
    QByteArray body;
    QByteArray charset;
    bool failed = false;
    QString error;  // why it failed
    QString text() const;
};
Fetched fetchUrl(const QString& url, const RequestRule& rule);

}  // namespace platform
