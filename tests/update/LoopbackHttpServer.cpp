#include "LoopbackHttpServer.h"

#include <QTimer>

#include <memory>

namespace hushpane::test {

namespace {

// Upper bounds of the streaming answers, far above any limit the client has.
constexpr qint64 kEndlessMaxBytes = 64 * 1024 * 1024;
constexpr qint64 kTrickleMaxBytes = 10000;

QByteArray reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::onConnection);
    server_.listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    for (const auto& socket : sockets_) {
        if (socket) {
            socket->disconnect(this);
            socket->abort();
        }
    }
}

QUrl LoopbackHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void LoopbackHttpServer::serve(const QString& path, const QByteArray& body, int status) {
    Route route;
    route.status = status;
    route.body = body;
    route.headers = {{"Content-Type", "application/rss+xml"}};
    routes_.insert(path, route);
}

void LoopbackHttpServer::redirect(const QString& path, const QString& location, int status) {
    Route route;
    route.status = status;
    route.headers = {{"Location", location.toUtf8()}};
    routes_.insert(path, route);
}

void LoopbackHttpServer::onConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        sockets_.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackHttpServer::onReadable(QTcpSocket* socket) {
    // One request per connection: the answers close it.
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (socket->property("answered").toBool() || !request.contains("\r\n\r\n")) {
        return;
    }
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    requests_.append(path);
    answer(socket, path);
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const QString& path) {
    const auto it = routes_.constFind(path);
    if (it == routes_.cend()) {
        const QByteArray body = "no such feed";
        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
        return;
    }
    const Route& route = *it;
    if (route.mode == Mode::Silent) {
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + reason(route.status) +
                      "\r\nConnection: close\r\n";
    for (const auto& [name, value] : route.headers) {
        head += name + ": " + value + "\r\n";
    }
    if (route.mode == Mode::Fixed) {
        head += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n\r\n";
        socket->write(head + route.body);
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + "Content-Type: application/rss+xml\r\n\r\n" + route.body);
    stream(socket, route.mode);
}

void LoopbackHttpServer::stream(QTcpSocket* socket, Mode mode) {
    auto* timer = new QTimer(socket);
    const bool endless = mode == Mode::Endless;
    timer->setInterval(endless ? 1 : 20);
    QPointer<QTcpSocket> guarded(socket);
    auto sent = std::make_shared<qint64>(0);
    connect(timer, &QTimer::timeout, this, [this, guarded, timer, endless, sent] {
        if (!guarded || guarded->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        if (*sent >= (endless ? kEndlessMaxBytes : kTrickleMaxBytes)) {
            timer->stop();
            guarded->disconnectFromHost();
            return;
        }
        if (endless) {
            // Keep the socket's own buffer small; the client decides how fast this goes.
            if (guarded->bytesToWrite() < 256 * 1024) {
                static const QByteArray chunk =
                    QByteArray("<item><title>again</title></item>\n").repeated(512);
                guarded->write(chunk);
                *sent += chunk.size();
                streamedBytes_ += chunk.size();
            }
        } else {
            guarded->write(" ");
            *sent += 1;
            streamedBytes_ += 1;
        }
    });
    timer->start();
}

}  // namespace hushpane::test
