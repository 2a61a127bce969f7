#include "platform/http_request.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <algorithm>

namespace platform {

namespace {

QNetworkAccessManager* manager()
{
    static QNetworkAccessManager* nam = new QNetworkAccessManager(QCoreApplication::instance());
    return nam;
}

QByteArray charsetOf(const QByteArray& contentType)
{
    for (const QByteArray& part : contentType.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset="))
            return p.mid(8).trimmed().replace('"', "");
    }
    return {};
}

// An answer with an HTTP error status (400, 404, 500 ...): Qt reports it as
// an error, but the body is a page like any other.
bool isStatusError(QNetworkReply* reply)
{
    if (!reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    const int e = int(reply->error());
    return e == QNetworkReply::ProtocolInvalidOperationError ||
           (e >= QNetworkReply::ContentAccessDenied && e <= QNetworkReply::UnknownContentError) ||
           (e >= QNetworkReply::InternalServerError && e <= QNetworkReply::UnknownServerError);
}

// Why a request failed, in the words of the programs' status texts; Qt's own
// description for the rarer failures.
QString failureText(QNetworkReply* reply)
{
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError: return QStringLiteral("连接被拒绝");
    case QNetworkReply::RemoteHostClosedError: return QStringLiteral("连接被服务器关闭");
    case QNetworkReply::HostNotFoundError: return QStringLiteral("找不到主机");
    case QNetworkReply::TimeoutError: return QStringLiteral("超时");
    case QNetworkReply::SslHandshakeFailedError: return QStringLiteral("安全连接失败");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError: return QStringLiteral("网络不可用");
    default: return reply->errorString();
    }
}

// How much of a body Qt may hold that we have not read yet.
constexpr qint64 kReadAheadBytes = qint64(1) << 20;

// How often a waiting request asks its stop test.
constexpr int kStopCheckMs = 50;

}  // namespace

RequestRule pictureRule(int deadlineMs, std::function<bool()> stop)
{
    RequestRule rule;
    rule.deadlineMs = deadlineMs;
    rule.maxBytes = kPictureBodyCap;
    rule.stop = std::move(stop);
    return rule;
}

HttpRequest::HttpRequest(RequestRule rule, QObject* parent) : QObject(parent), rule_(std::move(rule)) {}

HttpRequest::~HttpRequest()
{
    dropReply();
}

void HttpRequest::open(const QString& method, const QString& url)
{
    method_ = method;
    url_ = url;
    state_ = 0;
}

void HttpRequest::send()
{
    const QUrl url(url_, QUrl::TolerantMode);
    state_ = 1;
    failed_ = false;
    tooLong_ = false;
    error_.clear();
    body_.clear();
    sent_.start();
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty()) {
        fail(QStringLiteral("无效的地址：") + url_);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = manager()->sendCustomRequest(request, method_.toUpper().toLatin1());
    // Qt's network thread reads no further ahead than this, so a body that
    // never ends cannot pile up in memory while it is refused and aborted.
    reply_->setReadBufferSize(kReadAheadBytes);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        // A body announced beyond the cap is refused before it arrives. The
        // reply is aborted once its signal has returned: Qt's reply does not
        // take an abort from inside this signal.
        const QVariant length = reply_ ? reply_->header(QNetworkRequest::ContentLengthHeader) : QVariant();
        if (length.isValid() && length.toLongLong() > rule_.maxBytes) {
            tooLong_ = true;
            QMetaObject::invokeMethod(this, [this] { finish(); }, Qt::QueuedConnection);
        }
    });
    connect(reply_, &QNetworkReply::readyRead, this, &HttpRequest::readBody);
    connect(reply_, &QNetworkReply::finished, this, &HttpRequest::finish);
}

void HttpRequest::readBody()
{
    if (!reply_)
        return;
    body_ += reply_->readAll();
    if (tooLong_ || body_.size() > rule_.maxBytes) {
        body_.clear();
        fail(QStringLiteral("回应过大"));
    }
}

void HttpRequest::finish()
{
    if (!reply_ || state_ != 1)
        return;
    readBody();
    if (state_ != 1)
        return;  // refused for its size
    QNetworkReply* reply = reply_;
    charset_ = charsetOf(reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    if (reply->error() != QNetworkReply::NoError && !isStatusError(reply)) {
        failed_ = true;
        error_ = failureText(reply);
    }
    dropReply();
    state_ = 4;
    emit ended();
}

void HttpRequest::fail(const QString& reason)
{
    dropReply();
    failed_ = true;
    error_ = reason;
    state_ = 4;
    emit ended();
}

void HttpRequest::dropReply()
{
    if (!reply_)
        return;
    QNetworkReply* r = reply_;
    reply_ = nullptr;
    r->disconnect(this);
    r->abort();
    r->deleteLater();
}

QString HttpRequest::responseText() const
{
    return decodeCharset(body_, charset_);
}

void HttpRequest::waitUntilDone()
{
    const auto stopped = [this] { return rule_.stop && rule_.stop(); };
    if (state_ == 1 && stopped())
        fail(QStringLiteral("已取消"));
    if (state_ != 1)
        return;

    QEventLoop loop;
    connect(this, &HttpRequest::ended, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, this, [this] {
        if (state_ == 1)
            fail(QStringLiteral("超时"));
    });
    deadline.start(int(std::max<qint64>(0, rule_.deadlineMs - sent_.elapsed())));
    QTimer stopCheck;
    connect(&stopCheck, &QTimer::timeout, this, [this, stopped] {
        if (state_ == 1 && stopped())
            fail(QStringLiteral("已取消"));
    });
    if (rule_.stop)
        stopCheck.start(kStopCheckMs);

    loop.exec();
    // The loop also ends when the application quits; the request goes with it.
    if (state_ == 1)
        fail(QStringLiteral("已取消"));
}

QString Fetched::text() const
{
    return decodeCharset(body, charset);
}

Fetched fetchUrl(const QString& url, const RequestRule& rule)
{
    HttpRequest request(rule);
    request.open(QStringLiteral("get"), url);
    request.send();
    request.waitUntilDone();
    Fetched fetched;
    fetched.failed = request.failed();
    fetched.error = request.errorText();
    if (!fetched.failed) {
        fetched.body = request.responseBody();
        fetched.charset = request.charset();
    }
    return fetched;
}

}  // namespace platform
