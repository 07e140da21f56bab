#pragma once
// What carries a net::Download: the network module (NetworkDownload, over Qt Network), loaded
// when the first download starts so that a run that never downloads never loads Qt Network.
#include "net/Download.h"

#include <functional>

namespace net {

class DownloadEngine {
public:
    // Called as Download's signals would be: progress() for every piece of the body, finished()
    // once for every start(), never from within start().
    struct Events {
        std::function<void(qint64 received, qint64 total)> progress;
        std::function<void(const DownloadResult& result)> finished;
    };

    DownloadEngine() = default;
    DownloadEngine(const DownloadEngine&) = delete;
    DownloadEngine& operator=(const DownloadEngine&) = delete;
    virtual ~DownloadEngine() = default;

    virtual void start(const QUrl& url, const DownloadOptions& options) = 0;
    virtual void cancel() = 0;
    [[nodiscard]] virtual bool isRunning() const = 0;
};

// A download's message: the address asked for (never with a user name or password), then why.
inline QString DownloadMessage(const QUrl& origin, const QString& reason)
{
    return (origin.toDisplayString(QUrl::RemoveUserInfo) + QStringLiteral(": ") + reason)
        .simplified();
}

// The module's entry point, TallimoMakeDownload: a new engine reporting to `events`.
using MakeDownloadEngine = DownloadEngine* (*)(DownloadEngine::Events events);
inline constexpr char MakeDownloadSymbol[] = "TallimoMakeDownload";

} // namespace net
