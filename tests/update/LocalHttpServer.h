#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace dw::test {

// A tiny HTTP/1.1 server on 127.0.0.1 that runs in the test's own thread (the fetch under test
// keeps the event loop running), so update checks never leave the machine.
class LocalHttpServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray headers; // extra header lines, each ending in CR LF
        int delayMs = 0;
        bool silent = false; // read the request and never answer
        bool noLength = false; // no Content-Length: the body ends when the connection closes
    };

    explicit LocalHttpServer(std::function<Reply(const QByteArray &path)> handler)
        : handler_(std::move(handler))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    QString url(const QString &path = QStringLiteral("/update.txt")) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    int requests = 0;

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &pending = buffers_[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        ++requests;
        const QByteArray path = pending.split(' ').value(1);
        pending.clear();
        const Reply reply = handler_(path);
        if (reply.silent)
            return;
        const QByteArray length =
            reply.noLength ? QByteArray() : "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n" + length
                           + "Connection: close\r\n" + reply.headers + "\r\n" + reply.body;
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(reply.delayMs, this, [guard, bytes] {
            if (!guard)
                return;
            guard->write(bytes);
            guard->disconnectFromHost();
        });
    }

    QTcpServer server_;
    std::function<Reply(const QByteArray &)> handler_;
    std::map<QTcpSocket *, QByteArray> buffers_;
};

} // namespace dw::test
