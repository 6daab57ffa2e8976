// The scripted outside server as a program of its own, for showing the room browser on a real
// game: kalvon_outsideserver [port] listens on 127.0.0.1 (port 9100 by default) and prints
// every line it receives.

#include "outsideserver.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const quint16 port = argc > 1 ? static_cast<quint16>(QByteArray(argv[1]).toUInt()) : 9100;
    kalvon::testing::OutsideServer server;
    if (!server.listen(port)) {
        std::fprintf(stderr, "cannot listen on port %u\n", port);
        return 1;
    }
    QObject::connect(&server, &kalvon::testing::OutsideServer::lineReceived, [](const QByteArray& line) {
        std::printf("%s\n", line.toPercentEncoding(" ;:,.'!?/=*-_()|\"").constData());
        std::fflush(stdout);
    });
    std::printf("listening on 127.0.0.1:%u\n", server.port());
    std::fflush(stdout);
    return app.exec();
}
