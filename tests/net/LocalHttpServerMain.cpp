// The test server as a program of its own, for the end-to-end tests: serves the files of FOLDER
// at http://127.0.0.1:<port>/files/<name> until it is ended, and writes the port it listens on
// into PORTFILE once it listens (the file appears whole, renamed into place).
//   local_http_server FOLDER PORTFILE
#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 3) {
        err << "usage: local_http_server FOLDER PORTFILE\n";
        return 2;
    }
    LocalHttpServer server;
    if (!server.isListening()) {
        err << "local_http_server: cannot listen on 127.0.0.1\n";
        return 1;
    }
    server.setFolder(arguments[1]);
    QSaveFile portFile(arguments[2]);
    if (!portFile.open(QIODevice::WriteOnly) ||
        portFile.write(QByteArray::number(server.url(QStringLiteral("/")).port()) + '\n') < 0 ||
        !portFile.commit()) {
        err << "local_http_server: cannot write " << arguments[2] << '\n';
        return 1;
    }
    return QCoreApplication::exec();
}
