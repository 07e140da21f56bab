#include "windows/import/SourceFetch.h"

#include "models/history/SourceTable.h"
#include "models/state/AppInfo.h"
#include "net/Download.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <memory>
#include <optional>

namespace history {

namespace {

// The download's progress: a bar of the bytes when their number was announced, else a busy bar.
void ShowProgress(QProgressDialog& progress, qint64 received, qint64 total)
{
    if (total > 0 && total <= MaxSourceBytes) {
        progress.setMaximum(static_cast<int>(total));
        progress.setValue(static_cast<int>(std::min(received, total)));
    } else {
        progress.setMaximum(0);
    }
}

} // namespace

Fetched FetchAddress(const QUrl& address, bool allowHttp, QWidget* parent)
{
    net::DownloadOptions options;
    options.allowHttp = allowHttp;
    options.userAgent = app::UserAgent();
    net::Download download;
    std::optional<net::DownloadResult> result;
    QEventLoop loop;
    QObject::connect(&download, &net::Download::finished, &loop,
                     [&result, &loop](const net::DownloadResult& r) {
                         result = r;
                         loop.quit();
                     });
    QTimer halfASecond;
    halfASecond.setSingleShot(true);
    QObject::connect(&halfASecond, &QTimer::timeout, &loop, &QEventLoop::quit);
    download.start(address, options);
    halfASecond.start(500);
    // Keys and clicks wait for the end of a short download (a click on Update Draws again would
    // start a second one); a longer one gets its progress bar, modal, with Cancel.
    if (!result) loop.exec(QEventLoop::ExcludeUserInputEvents);
    std::unique_ptr<QProgressDialog> progress;
    if (!result) {
        progress = std::make_unique<QProgressDialog>(
            QStringLiteral("Downloading %1").arg(address.toDisplayString()),
            QStringLiteral("Cancel"), 0, 0, parent);
        progress->setObjectName(QStringLiteral("IDownload"));
        progress->setWindowTitle(QStringLiteral("Download"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setMinimumDuration(0);
        QObject::connect(&download, &net::Download::progress, progress.get(),
                         [bar = progress.get()](qint64 received, qint64 total) {
                             ShowProgress(*bar, received, total);
                         });
        // Cancel, Escape or the title bar's close.
        QObject::connect(progress.get(), &QProgressDialog::canceled, &download,
                         &net::Download::cancel);
        QObject::connect(progress.get(), &QDialog::rejected, &download, &net::Download::cancel);
        progress->show();
        loop.exec();
        progress->hide();
    }
    Fetched fetched;
    if (result->error == net::DownloadError::Cancelled) {
        fetched.outcome = Fetched::Outcome::Cancelled;
        return fetched;
    }
    if (!result->ok()) {
        fetched.failure = result->message;
        return fetched;
    }
    const DecodedText decoded = DecodeSource(result->bytes);
    if (decoded.error != ReadError::None) {
        fetched.failure =
            QStringLiteral("%1: %2").arg(address.toDisplayString(), ReadErrorText(decoded.error));
        return fetched;
    }
    fetched.outcome = Fetched::Outcome::Read;
    fetched.text = decoded.text;
    return fetched;
}

} // namespace history
