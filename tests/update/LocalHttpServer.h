#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace dw::test {

// A tiny HTTP/1.1 server on 127.0.0.1 in the test's own thread (the fetch under test keeps the
// event loop running), so update checks never leave the machine.
class LocalHttpServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body = {}, headers = {}; // extra header lines, each ending in CR LF
        int delayMs = 0;
        bool silent = false;   // read the request and never answer
        bool noLength = false; // no Content-Length: the body ends when the connection closes
    };

    explicit LocalHttpServer(std::function<Reply(const QByteArray &path)> handler) : handler_(std::move(handler))
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

private:
    void serve(QTcpSocket *socket)
    {
        // A request may come in pieces; it waits on the socket until its head is complete.
        const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        const bool complete = request.contains("\r\n\r\n");
        socket->setProperty("request", complete ? QByteArray() : request);
        const Reply r = complete ? handler_(request.split(' ').value(1)) : Reply{.silent = true};
        if (r.silent)
            return;
        const QByteArray length = r.noLength ? QByteArray() : "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        const QByteArray bytes = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n" + length
                                 + "Connection: close\r\n" + r.headers + "\r\n" + r.body;
        QTimer::singleShot(r.delayMs, this, [guard = QPointer<QTcpSocket>(socket), bytes] {
            if (guard)
                guard->write(bytes), guard->disconnectFromHost();
        });
    }

    QTcpServer server_;
    std::function<Reply(const QByteArray &)> handler_;
};

} // namespace dw::test
