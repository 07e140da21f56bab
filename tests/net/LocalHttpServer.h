#pragma once
// A small HTTP/1.1 server for the download tests, listening on 127.0.0.1 only, over TLS when it
// is given a certificate. Every answer closes its connection. The paths (n a number):
//   /table.csv           the table, whole, with its Content-Length
//   /slow.csv?n          the table in n pieces, one every PausesMs, with its Content-Length
//   /chunked.csv         the table in chunked transfer encoding, a few chunks
//   /size/n              n bytes with their Content-Length
//   /chunked-size/n      n bytes in chunked transfer encoding, without a length
//   /announced/n         a Content-Length of n, then silence
//   /endless             chunks without end, as fast as the client takes them, until it hangs up
//   /redirect/n          a redirect to /redirect/n-1 (a relative address), and /redirect/0 to
//                        /table.csv; the redirect statuses taken in turn
//   /away                a redirect to the address given to setAwayTarget()
//   /cookie              a cookie set, and a redirect to /table.csv
//   /status/n            status n, with a short body
//   /auth                401, asking for a user name and password
//   /cut                 half the table, then the connection closed (the length says more)
//   /cut-chunked         one chunk of the table, then the connection closed without the end
//   /silent              nothing at all
//   /files/name          the file of that name in the folder given to setFolder(), as it is at
//                        the time of the request; 404 when it is not there
#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QUrl>
#include <vector>

class QTcpServer;
class QTcpSocket;

struct SeenRequest {
    QByteArray path;                      // with the query
    QMap<QByteArray, QByteArray> headers; // names in lower case
};

class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    static constexpr int PausesMs = 40;

    // Plain HTTP.
    LocalHttpServer();
    // HTTPS, with the certificate and the key in these PEM files.
    LocalHttpServer(const QString& certificatePem, const QString& keyPem);
    ~LocalHttpServer() override;

    [[nodiscard]] bool isListening() const;
    // http(s)://127.0.0.1:<port><path>
    [[nodiscard]] QUrl url(const QString& path) const;
    void setAwayTarget(const QUrl& target) { m_away = target; }
    void setFolder(const QString& folder) { m_folder = folder; }

    const std::vector<SeenRequest>& requests() const { return m_requests; }
    int openConnections() const { return m_open; }
    qint64 endlessBytesSent() const { return m_endlessSent; }

    // The table the server hands out: a few dozen draws of 6 from 49.
    static QByteArray Table();
    // `size` bytes of lines like the table's.
    static QByteArray Body(qint64 size);

private:
    using Handler = void (LocalHttpServer::*)(QTcpSocket*, const QByteArray& argument);
    void listen();
    void accept(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const SeenRequest& request);
    void serveTable(QTcpSocket* socket, const QByteArray&);
    void serveSlow(QTcpSocket* socket, const QByteArray& pieces);
    void serveChunkedTable(QTcpSocket* socket, const QByteArray&);
    void serveSize(QTcpSocket* socket, const QByteArray& size);
    void serveChunkedSize(QTcpSocket* socket, const QByteArray& size);
    void serveAnnounced(QTcpSocket* socket, const QByteArray& size);
    void serveEndless(QTcpSocket* socket, const QByteArray&);
    void serveRedirect(QTcpSocket* socket, const QByteArray& count);
    void serveAway(QTcpSocket* socket, const QByteArray&);
    void serveCookie(QTcpSocket* socket, const QByteArray&);
    void serveStatus(QTcpSocket* socket, const QByteArray& status);
    void serveAuth(QTcpSocket* socket, const QByteArray&);
    void serveCut(QTcpSocket* socket, const QByteArray&);
    void serveCutChunked(QTcpSocket* socket, const QByteArray&);
    void serveSilent(QTcpSocket*, const QByteArray&) {}
    void serveFile(QTcpSocket* socket, const QByteArray& name);

    QTcpServer* m_server;
    QByteArray m_scheme;
    QUrl m_away;
    QString m_folder;
    std::vector<SeenRequest> m_requests;
    int m_open = 0;
    qint64 m_endlessSent = 0;
};
