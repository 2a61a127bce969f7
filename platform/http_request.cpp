#include "platform/http_request.h"

#include "platform/text_file.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QUrl>

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

}  // namespace

QString decodeCharset(const QByteArray& bytes, const QByteArray& charset)
{
    const QByteArray name = charset.toLower();
    if (name == "gbk" || name == "gb2312" || name == "gb18030" || name == "cp936" || name == "x-gbk")
        return decodeAnsi(bytes);
    if (!name.isEmpty() && name != "utf-8" && name != "utf8") {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

HttpRequest::HttpRequest(int timeoutMs, QObject* parent) : QObject(parent), timeoutMs_(timeoutMs) {}

HttpRequest::~HttpRequest()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
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
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty()) {
        failed_ = true;
        error_ = QStringLiteral("无效的地址：") + url_;
        state_ = 4;
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = manager()->sendCustomRequest(request, method_.toUpper().toLatin1());
    connect(reply_, &QNetworkReply::finished, this, [this] { finish(reply_); });
}

void HttpRequest::finish(QNetworkReply* reply)
{
    if (!reply || state_ == 4)
        return;
    if (reply->isOpen())
        body_ = reply->readAll();
    charset_ = charsetOf(reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    if (reply->error() != QNetworkReply::NoError) {
        failed_ = true;
        error_ = reply->errorString();
    }
    reply_ = nullptr;
    reply->deleteLater();
    state_ = 4;
}

QString HttpRequest::responseText() const
{
    return decodeCharset(body_, charset_);
}

void HttpRequest::waitUntilDone(const std::function<bool()>& stop)
{
    while (state_ == 1) {
        if (stop && stop()) {
            if (reply_) {
                QNetworkReply* r = reply_;
                reply_ = nullptr;
                r->disconnect(this);
                r->abort();
                r->deleteLater();
            }
            failed_ = true;
            error_ = QStringLiteral("已取消");
            state_ = 4;
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
}

}  // namespace platform
