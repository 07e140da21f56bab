#include "LocalHttpServer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <optional>

namespace {

QByteArray Head(int status, const QByteArray& reason, const QByteArray& headers)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" + headers +
           "Connection: close\r\n\r\n";
}

QByteArray LengthHeader(qint64 length)
{
    return "Content-Type: text/csv\r\nContent-Length: " + QByteArray::number(length) + "\r\n";
}

const QByteArray ChunkedHeader = "Content-Type: text/csv\r\nTransfer-Encoding: chunked\r\n";

QByteArray Chunk(const QByteArray& data)
{
    return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
}

// Writes the last bytes of an answer and hangs up once they are sent.
void Close(QTcpSocket* socket, const QByteArray& bytes)
{
    socket->write(bytes);
    socket->disconnectFromHost();
}

QByteArray LoadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LocalHttpServer::LocalHttpServer() : m_server(new QTcpServer(this)), m_scheme("http")
{
    listen();
}

LocalHttpServer::LocalHttpServer(const QString& certificatePem, const QString& keyPem)
    : m_scheme("https")
{
    auto* server = new QSslServer(this);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(LoadFile(certificatePem), QSsl::Pem));
    tls.setPrivateKey(QSslKey(LoadFile(keyPem), QSsl::Ec, QSsl::Pem));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(tls);
    m_server = server;
    listen();
}

LocalHttpServer::~LocalHttpServer() = default;

void LocalHttpServer::listen()
{
    // Connections come through the pending queue: for TLS only once the handshake is done.
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection())
            accept(socket);
    });
    m_server->listen(QHostAddress::LocalHost, 0);
}

bool LocalHttpServer::isListening() const
{
    return m_server->isListening();
}

QUrl LocalHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(QString::fromLatin1(m_scheme))
                    .arg(m_server->serverPort())
                    .arg(path));
}

void LocalHttpServer::accept(QTcpSocket* socket)
{
    ++m_open;
    // What came of the request so far; gone once the request is answered.
    auto buffer = std::make_shared<std::optional<QByteArray>>(QByteArray());
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        --m_open;
        socket->deleteLater();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        if (!*buffer) return;
        QByteArray& in = **buffer;
        in.append(socket->readAll());
        const qsizetype end = in.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> lines = in.left(end).split('\n');
        buffer->reset();
        SeenRequest request;
        request.path = lines.first().split(' ').value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        m_requests.push_back(request);
        answer(socket, request);
    });
}

void LocalHttpServer::answer(QTcpSocket* socket, const SeenRequest& request)
{
    static const std::pair<const char*, Handler> routes[] = {
        {"/table.csv", &LocalHttpServer::serveTable},
        {"/slow.csv?", &LocalHttpServer::serveSlow},
        {"/chunked.csv", &LocalHttpServer::serveChunkedTable},
        {"/size/", &LocalHttpServer::serveSize},
        {"/chunked-size/", &LocalHttpServer::serveChunkedSize},
        {"/announced/", &LocalHttpServer::serveAnnounced},
        {"/endless", &LocalHttpServer::serveEndless},
        {"/redirect/", &LocalHttpServer::serveRedirect},
        {"/away", &LocalHttpServer::serveAway},
        {"/cookie", &LocalHttpServer::serveCookie},
        {"/status/", &LocalHttpServer::serveStatus},
        {"/auth", &LocalHttpServer::serveAuth},
        {"/cut-chunked", &LocalHttpServer::serveCutChunked},
        {"/cut", &LocalHttpServer::serveCut},
        {"/silent", &LocalHttpServer::serveSilent},
        {"/files/", &LocalHttpServer::serveFile},
    };
    for (const auto& [prefix, handler] : routes) {
        if (request.path.startsWith(prefix)) {
            (this->*handler)(socket, request.path.mid(qsizetype(qstrlen(prefix))));
            return;
        }
    }
    serveStatus(socket, "404");
}

QByteArray LocalHttpServer::Table()
{
    QByteArray table = "Date,N1,N2,N3,N4,N5,N6\r\n";
    for (int draw = 0; draw < 40; ++draw) {
        table += "2024-" + QByteArray::number(1 + draw / 4).rightJustified(2, '0') + '-' +
                 QByteArray::number(1 + 7 * (draw % 4)).rightJustified(2, '0');
        for (int ball = 0; ball < 6; ++ball)
            table += ',' + QByteArray::number(1 + (draw * 7 + ball * 8) % 49);
        table += "\r\n";
    }
    return table;
}

QByteArray LocalHttpServer::Body(qint64 size)
{
    const QByteArray table = Table();
    QByteArray body;
    while (body.size() < size)
        body += table;
    body.truncate(qsizetype(size));
    return body;
}

void LocalHttpServer::serveTable(QTcpSocket* socket, const QByteArray&)
{
    Close(socket, Head(200, "OK", LengthHeader(Table().size())) + Table());
}

void LocalHttpServer::serveSlow(QTcpSocket* socket, const QByteArray& pieces)
{
    const QByteArray table = Table();
    socket->write(Head(200, "OK", LengthHeader(table.size())));
    const qsizetype step = table.size() / pieces.toInt() + 1;
    auto* timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, table, step, sent] {
        socket->write(table.mid(*sent, step));
        *sent += step;
        if (*sent >= table.size()) socket->disconnectFromHost();
    });
    timer->start(PausesMs);
}

void LocalHttpServer::serveChunkedTable(QTcpSocket* socket, const QByteArray&)
{
    const QByteArray table = Table();
    const qsizetype third = table.size() / 3;
    Close(socket, Head(200, "OK", ChunkedHeader) + Chunk(table.left(third)) +
                      Chunk(table.mid(third, third)) + Chunk(table.mid(2 * third)) + "0\r\n\r\n");
}

void LocalHttpServer::serveSize(QTcpSocket* socket, const QByteArray& size)
{
    Close(socket, Head(200, "OK", LengthHeader(size.toLongLong())) + Body(size.toLongLong()));
}

void LocalHttpServer::serveChunkedSize(QTcpSocket* socket, const QByteArray& size)
{
    const QByteArray body = Body(size.toLongLong());
    QByteArray chunks;
    for (qsizetype at = 0; at < body.size(); at += 300)
        chunks += Chunk(body.mid(at, 300));
    Close(socket, Head(200, "OK", ChunkedHeader) + chunks + "0\r\n\r\n");
}

void LocalHttpServer::serveAnnounced(QTcpSocket* socket, const QByteArray& size)
{
    socket->write(Head(200, "OK", LengthHeader(size.toLongLong())));
}

void LocalHttpServer::serveEndless(QTcpSocket* socket, const QByteArray&)
{
    socket->write(Head(200, "OK", ChunkedHeader));
    const QByteArray chunk = Chunk(Body(16 * 1024));
    auto* timer = new QTimer(socket);
    // Refilled whenever the socket has sent most of what it holds, so the server never queues
    // more than a few chunks: what it counts as sent is what the client could have read.
    connect(timer, &QTimer::timeout, socket, [this, socket, chunk] {
        if (socket->bytesToWrite() > 2 * chunk.size()) return;
        socket->write(chunk);
        m_endlessSent += chunk.size();
    });
    timer->start(0);
}

void LocalHttpServer::serveRedirect(QTcpSocket* socket, const QByteArray& count)
{
    static const std::pair<int, const char*> statuses[] = {
        {302, "Found"},
        {301, "Moved Permanently"},
        {303, "See Other"},
        {307, "Temporary Redirect"},
        {308, "Permanent Redirect"},
    };
    const int left = count.toInt();
    const auto& [status, reason] = statuses[left % 5];
    const QByteArray next = left > 0 ? QByteArray::number(left - 1) : "../table.csv";
    Close(socket, Head(status, reason, "Location: " + next + "\r\nContent-Length: 0\r\n"));
}

void LocalHttpServer::serveAway(QTcpSocket* socket, const QByteArray&)
{
    Close(socket,
          Head(302, "Found", "Location: " + m_away.toEncoded() + "\r\nContent-Length: 0\r\n"));
}

void LocalHttpServer::serveCookie(QTcpSocket* socket, const QByteArray&)
{
    Close(socket, Head(302, "Found",
                       "Set-Cookie: visitor=1; Path=/\r\nLocation: /table.csv\r\n"
                       "Content-Length: 0\r\n"));
}

void LocalHttpServer::serveStatus(QTcpSocket* socket, const QByteArray& status)
{
    const QByteArray reason = status == "404" ? "Not Found" : "Something Else";
    const QByteArray body = "<html>" + reason + "</html>";
    Close(socket, Head(status.toInt(), reason, LengthHeader(body.size())) + body);
}

void LocalHttpServer::serveAuth(QTcpSocket* socket, const QByteArray&)
{
    Close(socket, Head(401, "Unauthorized",
                       "WWW-Authenticate: Basic realm=\"draws\"\r\nContent-Length: 0\r\n"));
}

void LocalHttpServer::serveCut(QTcpSocket* socket, const QByteArray&)
{
    const QByteArray table = Table();
    Close(socket, Head(200, "OK", LengthHeader(table.size())) + table.left(table.size() / 2));
}

void LocalHttpServer::serveCutChunked(QTcpSocket* socket, const QByteArray&)
{
    const QByteArray table = Table();
    Close(socket, Head(200, "OK", ChunkedHeader) + Chunk(table.left(table.size() / 2)));
}

void LocalHttpServer::serveFile(QTcpSocket* socket, const QByteArray& name)
{
    // A bare file name only: nothing outside the folder is served.
    QFile file(m_folder + QLatin1Char('/') + QString::fromUtf8(name));
    if (m_folder.isEmpty() || name.isEmpty() || name.contains('/') || name.contains('\\') ||
        name.startsWith('.') || !file.open(QIODevice::ReadOnly)) {
        serveStatus(socket, "404");
        return;
    }
    const QByteArray body = file.readAll();
    Close(socket, Head(200, "OK", LengthHeader(body.size())) + body);
}
