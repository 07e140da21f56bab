#include "net/NetworkDownload.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <algorithm>
#include <optional>

namespace net {
namespace {

// Qt's own buffer for a reply is kept small: what the server sends beyond it waits in the
// socket until it is taken, instead of piling up in memory past the size limit.
constexpr qint64 ReplyBufferBytes = 64 * 1024;

struct Failure {
    DownloadError error;
    QString reason;
};

// An address as a message shows it: never with a user name or password.
QString Shown(const QUrl& url)
{
    return url.toDisplayString(QUrl::RemoveUserInfo);
}

bool IsHttps(const QUrl& url)
{
    return url.scheme() == QLatin1String("https");
}
bool IsHttp(const QUrl& url)
{
    return url.scheme() == QLatin1String("http");
}

QString SizeText(qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    if (bytes % MB == 0) return QStringLiteral("%1 MB").arg(bytes / MB);
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString SecondsText(std::chrono::milliseconds time)
{
    return QString::number(static_cast<double>(time.count()) / 1000.0, 'g', 3) +
           QStringLiteral(" s");
}

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// "404 (Not Found)": the common statuses in the program's own words, others in the server's if
// they read as a short phrase, else the number alone.
QString StatusText(int status, const QByteArray& serverPhrase)
{
    static const std::pair<int, const char*> names[] = {
        {400, "Bad Request"},
        {401, "Unauthorized"},
        {403, "Forbidden"},
        {404, "Not Found"},
        {405, "Method Not Allowed"},
        {408, "Request Timeout"},
        {410, "Gone"},
        {429, "Too Many Requests"},
        {451, "Unavailable"},
        {500, "Internal Server Error"},
        {501, "Not Implemented"},
        {502, "Bad Gateway"},
        {503, "Service Unavailable"},
        {504, "Gateway Timeout"},
    };
    QString name;
    for (const auto& [code, text] : names)
        if (code == status) name = QString::fromLatin1(text);
    if (name.isEmpty()) {
        const QString phrase = QString::fromLatin1(serverPhrase).simplified();
        const bool readable = std::all_of(phrase.begin(), phrase.end(), [](QChar c) {
            return c.unicode() >= 0x20 && c.unicode() < 0x7F;
        });
        if (readable && phrase.size() <= 40) name = phrase;
    }
    const QString number = QStringLiteral("HTTP %1").arg(status);
    return name.isEmpty() ? number : QStringLiteral("%1 (%2)").arg(number, name);
}

// Why a server's certificate was refused, in a few words; empty when the handshake failed for
// another reason.
QString CertificateReason(const QList<QSslError>& errors)
{
    for (const QSslError& e : errors) {
        switch (e.error()) {
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
            return QStringLiteral("self-signed certificate");
        case QSslError::CertificateExpired:
            return QStringLiteral("certificate expired");
        case QSslError::CertificateNotYetValid:
            return QStringLiteral("certificate not yet valid");
        case QSslError::HostNameMismatch:
            return QStringLiteral("certificate for another name");
        case QSslError::CertificateRevoked:
            return QStringLiteral("certificate revoked");
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::CertificateUntrusted:
            return QStringLiteral("issuer not trusted");
        default:
            break;
        }
    }
    return errors.isEmpty() ? QString() : errors.first().errorString();
}

// Why `url` is not downloaded, or nothing when it may be: only https, and http when allowed.
std::optional<Failure> RefuseAddress(const QUrl& url, bool allowHttp)
{
    if (!url.isValid() || url.host().isEmpty() || !(IsHttps(url) || IsHttp(url)))
        return Failure{DownloadError::Other, QStringLiteral("not a web address (https://)")};
    // A password in the address would be sent, and kept wherever the address is kept.
    if (!url.userInfo().isEmpty())
        return Failure{DownloadError::Other,
                       QStringLiteral("a user name or password in the address is not accepted")};
    if (IsHttp(url) && !allowHttp)
        return Failure{DownloadError::PlainHttpRefused,
                       QStringLiteral("plain http refused (not encrypted; use https)")};
    return std::nullopt;
}

// The failure of a reply that ended with a network error.
Failure NetworkFailure(const QNetworkReply& reply, bool answered, const QString& certificate)
{
    const QString qtReason = reply.errorString().simplified();
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return {DownloadError::NameNotFound, QStringLiteral("name not found")};
    case QNetworkReply::ConnectionRefusedError:
        return {DownloadError::NoConnection, QStringLiteral("no connection (refused)")};
    case QNetworkReply::RemoteHostClosedError:
        return {DownloadError::NoConnection,
                answered ? QStringLiteral("connection closed before the end")
                         : QStringLiteral("no connection (closed by the server)")};
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return {DownloadError::NoConnection, QStringLiteral("no connection")};
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return {DownloadError::NoConnection,
                QStringLiteral("no connection (proxy: %1)").arg(qtReason)};
    case QNetworkReply::SslHandshakeFailedError:
        if (!certificate.isEmpty())
            return {DownloadError::CertificateRefused,
                    QStringLiteral("certificate refused (%1)").arg(certificate)};
        return {DownloadError::Other,
                QStringLiteral("secure connection failed (%1)").arg(qtReason)};
    case QNetworkReply::TimeoutError:
        return {DownloadError::TimedOut, QStringLiteral("timed out")};
    default:
        return {DownloadError::Other, qtReason};
    }
}

} // namespace

NetworkDownload::NetworkDownload(Events events)
    : m_events(std::move(events)), m_manager(new QNetworkAccessManager(this))
{
    // The proxy the system is set to (on Linux, the proxy variables of the environment), as for
    // the user's other programs. Loopback addresses never go through it.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        fail(DownloadError::TimedOut, QStringLiteral("timed out (nothing received for %1)")
                                          .arg(SecondsText(m_options.inactivityTimeout)));
    });
}

NetworkDownload::~NetworkDownload()
{
    dropReply();
}

void NetworkDownload::start(const QUrl& url, const DownloadOptions& options)
{
    if (m_running) cancel();
    m_options = options;
    m_origin = url;
    m_current = url;
    m_redirects = 0;
    m_httpStatus = 0;
    m_running = true;
    const quint64 run = ++m_run;
    // Begun from the event loop, so that finished() never comes before start() returns.
    QMetaObject::invokeMethod(
        this, [this, run] { begin(run); }, Qt::QueuedConnection);
}

void NetworkDownload::cancel()
{
    if (m_running) fail(DownloadError::Cancelled, QStringLiteral("cancelled"));
}

void NetworkDownload::begin(quint64 run)
{
    if (run != m_run) return; // cancelled or started again meanwhile
    if (const auto refused = RefuseAddress(m_current, m_options.allowHttp)) {
        fail(refused->error, refused->reason);
        return;
    }
    send();
}

void NetworkDownload::send()
{
    QNetworkRequest request(m_current);
    // Redirects are followed here, each one checked; cookies are neither sent nor kept, and
    // credentials neither reused nor asked for (authenticationRequired is left unanswered).
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         static_cast<int>(QNetworkRequest::ManualRedirectPolicy));
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute,
                         static_cast<int>(QNetworkRequest::Manual));
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute,
                         static_cast<int>(QNetworkRequest::Manual));
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute,
                         static_cast<int>(QNetworkRequest::Manual));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         static_cast<int>(QNetworkRequest::AlwaysNetwork));
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    if (!m_options.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_options.userAgent);
    m_judged = false;
    m_bytes.clear();
    m_total = -1;
    m_certificateReason.clear();
    m_reply = m_manager->get(request);
    m_reply->setReadBufferSize(ReplyBufferBytes);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        m_idle.start();
        if (!m_judged) judgeHeaders();
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &NetworkDownload::onData);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this] { m_idle.start(); });
    connect(m_reply, &QNetworkReply::sslErrors, this, &NetworkDownload::onSslErrors);
    connect(m_reply, &QNetworkReply::finished, this, &NetworkDownload::onReplyFinished);
    m_idle.start(m_options.inactivityTimeout);
}

// Judges the status and the headers once they have come: the body is read (true), or the reply
// is dropped for a redirect or an error (false).
bool NetworkDownload::judgeHeaders()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) return true; // no answer yet: a network error, judged at the end
    m_judged = true;
    m_httpStatus = status.toInt();
    if (IsRedirect(m_httpStatus) && m_reply->hasRawHeader("Location")) {
        followRedirect();
        return false;
    }
    if (m_httpStatus < 200 || m_httpStatus > 299) {
        const QString where =
            m_current == m_origin ? QString() : QStringLiteral(" at %1").arg(Shown(m_current));
        fail(DownloadError::HttpStatus,
             StatusText(
                 m_httpStatus,
                 m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray()) +
                 where);
        return false;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid()) m_total = length.toLongLong();
    if (m_total > m_options.maxBytes) {
        fail(DownloadError::TooLarge,
             QStringLiteral("too large (over %1)").arg(SizeText(m_options.maxBytes)));
        return false;
    }
    return true;
}

void NetworkDownload::followRedirect()
{
    const QUrl target = m_current.resolved(QUrl::fromEncoded(m_reply->rawHeader("Location")));
    if (m_redirects >= m_options.maxRedirects) {
        fail(DownloadError::TooManyRedirects,
             QStringLiteral("too many redirects (more than %1)").arg(m_options.maxRedirects));
        return;
    }
    if (IsHttps(m_current) && IsHttp(target)) {
        fail(
            DownloadError::RedirectToHttp,
            QStringLiteral("redirected from https to plain http (%1), refused").arg(Shown(target)));
        return;
    }
    if (const auto refused = RefuseAddress(target, m_options.allowHttp)) {
        fail(DownloadError::Other,
             QStringLiteral("redirected to %1: %2").arg(Shown(target), refused->reason));
        return;
    }
    ++m_redirects;
    dropReply();
    m_current = target;
    send();
}

// Moves what the reply holds into m_bytes, never more than one byte past the limit. False when
// the download ended meanwhile: over the limit, or stopped by a handler of progress().
bool NetworkDownload::takeBody()
{
    const qint64 room = m_options.maxBytes + 1 - m_bytes.size();
    const qint64 wanted = std::min(m_reply->bytesAvailable(), room);
    if (wanted > 0) {
        const qsizetype before = m_bytes.size();
        m_bytes.resize(before + wanted);
        const qint64 got = m_reply->read(m_bytes.data() + before, wanted);
        m_bytes.resize(before + std::max<qint64>(got, 0));
    }
    if (m_bytes.size() > m_options.maxBytes) {
        fail(DownloadError::TooLarge,
             QStringLiteral("too large (over %1)").arg(SizeText(m_options.maxBytes)));
        return false;
    }
    if (wanted <= 0) return true;
    const quint64 run = m_run;
    m_events.progress(m_bytes.size(), m_total);
    return run == m_run;
}

void NetworkDownload::onData()
{
    m_idle.start();
    if (!m_judged && !judgeHeaders()) return;
    takeBody();
}

void NetworkDownload::onReplyFinished()
{
    if (!m_judged && !judgeHeaders()) return;
    if (m_reply->error() != QNetworkReply::NoError) {
        const Failure failure = NetworkFailure(*m_reply, m_judged, m_certificateReason);
        fail(failure.error, failure.reason);
        return;
    }
    if (!takeBody()) return;
    DownloadResult result;
    result.bytes = std::move(m_bytes);
    result.httpStatus = m_httpStatus;
    finish(std::move(result));
}

void NetworkDownload::onSslErrors(const QList<QSslError>& errors)
{
    // Noted for the message, never ignored: the handshake fails and the reply ends with it.
    m_certificateReason = CertificateReason(errors);
}

void NetworkDownload::fail(DownloadError error, const QString& reason)
{
    DownloadResult result;
    result.error = error;
    result.httpStatus = m_httpStatus;
    result.message = DownloadMessage(m_origin, reason);
    finish(std::move(result));
}

void NetworkDownload::finish(DownloadResult result)
{
    dropReply();
    m_idle.stop();
    m_bytes = QByteArray();
    m_running = false;
    ++m_run;
    m_events.finished(result);
}

void NetworkDownload::dropReply()
{
    if (!m_reply) return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    // Aborted at once, so the server sees the connection closed. A reply with an error status
    // is not: Qt sets that error on it a moment later, and would warn that an abort came first.
    // Deleting it stops it all the same.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status < 400) reply->abort();
    reply->deleteLater();
}

} // namespace net

// The one entry point of the network module, looked up by name when the first download starts.
extern "C" Q_DECL_EXPORT net::DownloadEngine*
TallimoMakeDownload(net::DownloadEngine::Events events)
{
    return new net::NetworkDownload(std::move(events));
}
