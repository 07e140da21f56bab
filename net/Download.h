#pragma once
// Downloading a table of draws from the web, safely. Qt's network access carries it, so the
// system's proxy settings and certificate store apply; certificates are verified and never
// ignored; plain http only when the caller allows it, and https is never redirected to http; a
// few redirects at most; the download stops after a time without data, and as soon as it would
// pass the import's size limit, without holding more than that; no cookie or credential is kept
// or answered.
#include "text/FileRead.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <memory>

namespace net {

enum class DownloadError {
    None,
    NoConnection,       // refused, unreachable, through no proxy, or cut before the end
    NameNotFound,       // the host's name does not resolve
    CertificateRefused, // the server's certificate did not verify
    HttpStatus,         // the server answered with an error status (DownloadResult::httpStatus)
    TooLarge,           // over DownloadOptions::maxBytes, by the announced size or by what came
    TimedOut,           // nothing received for DownloadOptions::inactivityTimeout
    RedirectToHttp,     // an https address redirected to plain http
    TooManyRedirects,   // more redirects than DownloadOptions::maxRedirects
    PlainHttpRefused,   // an http:// address without DownloadOptions::allowHttp
    Cancelled,          // Download::cancel()
    Other,              // not a web address, a redirect elsewhere, or a failure Qt names
};

struct DownloadOptions {
    qint64 maxBytes = text::MaxImportBytes;
    // Restarted by every piece of data; not a limit on the whole download.
    std::chrono::milliseconds inactivityTimeout = std::chrono::seconds(30);
    int maxRedirects = 5;
    // Plain http:// addresses, and redirects from one to another: the user accepted them.
    bool allowHttp = false;
    // "Tallimo Win9/<version>", sent as the User-Agent header.
    QString userAgent = {};
};

struct [[nodiscard]] DownloadResult {
    DownloadError error = DownloadError::None;
    QByteArray bytes;   // the whole body on success; empty on any error
    QString message;    // on an error, one line: "<address>: <reason>"
    int httpStatus = 0; // the last status the server answered with; 0 when none came
    [[nodiscard]] bool ok() const { return error == DownloadError::None; }
};

class DownloadEngine;

// One download at a time. finished() comes once for every start(); a handler that wants to
// delete the Download uses deleteLater(). The download itself is done by the network module,
// loaded with the first start() (Qt Network with it); when it cannot be loaded, every start()
// ends with DownloadError::Other saying why.
class Download : public QObject {
    Q_OBJECT
public:
    explicit Download(QObject* parent = nullptr);
    ~Download() override;

    // Starts downloading `url` (https, or http when the options allow it). Its finished() comes
    // later, never from within start(), even for an address refused at once. Starting while a
    // download runs cancels that one first (its finished() does come from within start()).
    void start(const QUrl& url, const DownloadOptions& options);
    // Stops a running download: its finished(), with Cancelled, comes from within cancel().
    void cancel();
    [[nodiscard]] bool isRunning() const;

Q_SIGNALS:
    // The bytes of the body received so far, and its announced size (-1 when not announced).
    void progress(qint64 received, qint64 total);
    void finished(const net::DownloadResult& result);

private:
    std::unique_ptr<DownloadEngine> m_engine;
};

// Downloads `url` and waits for the end, running an event loop of its own: for the command line,
// which has no loop running. Needs a QCoreApplication.
[[nodiscard]] DownloadResult FetchBlocking(const QUrl& url, const DownloadOptions& options);

} // namespace net
