// Downloading a table from a server on 127.0.0.1: net::Download, which reads through a small
// buffer and stops at the size limit, against a bare QNetworkAccessManager that reads the whole
// reply at its end. Sizes from a typical history (100 KB) to the import's limit (16 MB).
#include "LocalHttpServer.h"
#include "net/Download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <benchmark/benchmark.h>

namespace {

QUrl SizedUrl(const LocalHttpServer& server, const benchmark::State& state)
{
    return server.url(QStringLiteral("/size/%1").arg(state.range(0)));
}

void BM_Download(benchmark::State& state)
{
    LocalHttpServer server;
    net::DownloadOptions options;
    options.allowHttp = true;
    for (auto _ : state) {
        const net::DownloadResult r = net::FetchBlocking(SizedUrl(server, state), options);
        if (r.bytes.size() != state.range(0)) state.SkipWithError("download failed");
        benchmark::DoNotOptimize(r.bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_BareNetworkManager(benchmark::State& state)
{
    LocalHttpServer server;
    QNetworkAccessManager manager;
    for (auto _ : state) {
        QNetworkReply* reply = manager.get(QNetworkRequest(SizedUrl(server, state)));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QByteArray bytes = reply->readAll();
        if (bytes.size() != state.range(0)) state.SkipWithError("download failed");
        benchmark::DoNotOptimize(bytes.data());
        delete reply;
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Download)->Arg(100 * 1024)->Arg(16 * 1024 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareNetworkManager)
    ->Arg(100 * 1024)
    ->Arg(16 * 1024 * 1024)
    ->Unit(benchmark::kMillisecond);
