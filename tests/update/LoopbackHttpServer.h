#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace hushpane::test {

// A tiny HTTP/1.1 server on 127.0.0.1 (a free port) that answers each path the way a test
// sets up. Every endless or slow answer is bounded, so the server stops by itself.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Fixed,    // status, headers, body, then close
        Silent,   // reads the request and never answers
        Endless,  // a 200 without length whose body goes on until the client gives up
        Trickle,  // a 200 whose body comes one byte at a time, slowly
    };

    struct Route {
        Mode mode = Mode::Fixed;
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    bool isListening() const { return server_.isListening(); }
    QUrl url(const QString& path) const;

    void serve(const QString& path, const QByteArray& body, int status = 200);
    void redirect(const QString& path, const QString& location, int status = 302);
    void serve(const QString& path, Route route) { routes_.insert(path, std::move(route)); }

    // Requests seen, by path, in order.
    const QList<QString>& requests() const { return requests_; }
    // Bytes written by endless and trickling answers so far.
    qint64 streamedBytes() const { return streamedBytes_; }

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);
    void stream(QTcpSocket* socket, Mode mode);

    QTcpServer server_;
    QHash<QString, Route> routes_;
    QList<QString> requests_;
    QList<QPointer<QTcpSocket>> sockets_;
    qint64 streamedBytes_ = 0;
};

}  // namespace hushpane::test
