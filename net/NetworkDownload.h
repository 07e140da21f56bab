#pragma once
// The download itself, over Qt Network, in the network module: the system's proxy settings and
// certificate store apply; certificates are verified and never ignored; plain http only when
// the caller allows it, and https is never redirected to http; a few redirects at most; the
// download stops after a time without data, and as soon as it would pass the size limit,
// without holding more than that; no cookie or credential is kept or answered.
#include "net/DownloadEngine.h"

#include <QObject>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;
class QSslError;

namespace net {

class NetworkDownload final : public QObject, public DownloadEngine {
public:
    explicit NetworkDownload(Events events);
    ~NetworkDownload() override;

    void start(const QUrl& url, const DownloadOptions& options) override;
    void cancel() override;
    [[nodiscard]] bool isRunning() const override { return m_running; }

private:
    void begin(quint64 run);
    void send();
    bool judgeHeaders();
    void followRedirect();
    bool takeBody();
    void onData();
    void onReplyFinished();
    void onSslErrors(const QList<QSslError>& errors);
    void fail(DownloadError error, const QString& reason);
    void finish(DownloadResult result);
    void dropReply();

    Events m_events;
    QNetworkAccessManager* m_manager;
    QNetworkReply* m_reply = nullptr;
    QTimer m_idle;
    DownloadOptions m_options;
    QUrl m_origin;  // the address asked for: every message names it
    QUrl m_current; // the address of the request under way, after the redirects
    int m_redirects = 0;
    bool m_running = false;
    bool m_judged = false; // the current reply's status and headers have been judged
    quint64 m_run = 0;     // counts the starts and the ends, to tell a stale event from a live one
    QByteArray m_bytes;
    qint64 m_total = -1;
    int m_httpStatus = 0;
    QString m_certificateReason;
};

} // namespace net
