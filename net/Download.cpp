#include "net/Download.h"

#include "net/DownloadEngine.h"
#include "text/Module.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <optional>

namespace net {
namespace {

// Stands in for the network module when it cannot be loaded: every download ends, from the
// event loop as a real one would, saying why.
class UnavailableDownload final : public DownloadEngine {
public:
    UnavailableDownload(Events events, QString reason, QObject* context)
        : m_events(std::move(events)), m_reason(std::move(reason)), m_context(context)
    {
    }

    void start(const QUrl& url, const DownloadOptions& /*options*/) override
    {
        if (m_running) cancel();
        m_origin = url;
        m_running = true;
        const quint64 run = ++m_run;
        QMetaObject::invokeMethod(
            m_context,
            [this, run] {
                if (run == m_run) end(DownloadError::Other, m_reason);
            },
            Qt::QueuedConnection);
    }
    void cancel() override
    {
        if (m_running) end(DownloadError::Cancelled, QStringLiteral("cancelled"));
    }
    [[nodiscard]] bool isRunning() const override { return m_running; }

private:
    void end(DownloadError error, const QString& reason)
    {
        m_running = false;
        ++m_run;
        DownloadResult result;
        result.error = error;
        result.message = DownloadMessage(m_origin, reason);
        m_events.finished(result);
    }

    Events m_events;
    QString m_reason;
    QObject* m_context;
    QUrl m_origin;
    bool m_running = false;
    quint64 m_run = 0;
};

// The network module's entry point, looked up once for the run; null, with `problem` saying
// why, when the module cannot be loaded.
MakeDownloadEngine LoadNetworkModule(QString& problem)
{
    static QString why;
    static const auto make = reinterpret_cast<MakeDownloadEngine>(
        text::ModuleFunction(QStringLiteral(TALLIMO_NETWORK_MODULE), MakeDownloadSymbol, why));
    problem = QStringLiteral("downloads are not available (%1)").arg(why);
    return make;
}

} // namespace

Download::Download(QObject* parent) : QObject(parent) {}

Download::~Download() = default;

void Download::start(const QUrl& url, const DownloadOptions& options)
{
    if (!m_engine) {
        DownloadEngine::Events events{
            [this](qint64 received, qint64 total) { Q_EMIT progress(received, total); },
            [this](const DownloadResult& result) { Q_EMIT finished(result); }};
        QString problem;
        if (const MakeDownloadEngine make = LoadNetworkModule(problem))
            m_engine.reset(make(std::move(events)));
        else
            m_engine = std::make_unique<UnavailableDownload>(std::move(events), problem, this);
    }
    m_engine->start(url, options);
}

void Download::cancel()
{
    if (m_engine) m_engine->cancel();
}

bool Download::isRunning() const
{
    return m_engine && m_engine->isRunning();
}

DownloadResult FetchBlocking(const QUrl& url, const DownloadOptions& options)
{
    Q_ASSERT(QCoreApplication::instance());
    Download download;
    QEventLoop loop;
    std::optional<DownloadResult> result;
    QObject::connect(&download, &Download::finished, &loop, [&](const DownloadResult& r) {
        result = r;
        loop.quit();
    });
    download.start(url, options);
    if (!result) loop.exec();
    return *result;
}

} // namespace net
