// A one-file HTTP server on 127.0.0.1 (port chosen by the system) for download tests,
// with the misbehaviours a download must survive: bodies shorter than declared
// (the connection closed early), redirects, endless and dripping bodies.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class TestHttpServer : public QObject {
public:
    enum class Mode {
        Answer, // headers and the body
        Silent, // reads the request, never answers
    };

    Mode ServerMode = Mode::Answer;
    int Status = 200;
    QByteArray ReasonPhrase = "X";
    QByteArray ContentType = "text/plain";
    QByteArray Body;
    QStringList RequestLines;
    // Request path → Location of a 302 answer.
    QHash<QByteArray, QByteArray> Redirects;
    // Content-Length sent instead of the body's size; no header at all when false.
    qint64 DeclaredLength = -1;
    bool SendLength = true;
    // Bytes of draw lines sent after Body, produced as the socket drains.
    qint64 StreamedBytes = 0;
    // Above 0: Body is sent one byte per interval.
    int DripIntervalMs = 0;

    TestHttpServer() { connect(&FServer, &QTcpServer::newConnection, this, &TestHttpServer::Accept); }

    bool Start(const QHostAddress& address = QHostAddress::LocalHost) { return FServer.listen(address, 0); }
    quint16 Port() const { return FServer.serverPort(); }
    QString BaseUrl() const
    {
        return QStringLiteral("http://%1:%2").arg(FServer.serverAddress().toString()).arg(Port());
    }

private:
    void Accept()
    {
        while (QTcpSocket* socket = FServer.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        }
    }

    void Read(QTcpSocket* socket)
    {
        QByteArray& buffer = FBuffers[socket];
        buffer += socket->readAll();
        // Redirects keep the connection, so several requests may come on one socket.
        while (buffer.contains("\r\n\r\n")) {
            const QByteArray requestLine = buffer.left(buffer.indexOf("\r\n"));
            buffer.remove(0, buffer.indexOf("\r\n\r\n") + 4);
            RequestLines << QString::fromLatin1(requestLine);
            if (ServerMode == Mode::Silent)
                continue;
            const QByteArray path = requestLine.split(' ').value(1);
            if (Redirects.contains(path)) {
                socket->write("HTTP/1.1 302 Found\r\nLocation: " + Redirects.value(path)
                    + "\r\nContent-Length: 0\r\n\r\n");
                continue;
            }
            Answer(socket);
            return;
        }
    }

    void Answer(QTcpSocket* socket)
    {
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(Status) + " " + ReasonPhrase + "\r\n";
        reply += "Content-Type: " + ContentType + "\r\n";
        if (SendLength) {
            const qint64 length = DeclaredLength >= 0 ? DeclaredLength : Body.size() + StreamedBytes;
            reply += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        reply += "Connection: close\r\n\r\n";
        if (DripIntervalMs > 0) {
            socket->write(reply);
            Drip(socket, 0);
            return;
        }
        socket->write(reply + Body);
        if (StreamedBytes <= 0) {
            socket->disconnectFromHost();
            return;
        }
        auto left = std::make_shared<qint64>(StreamedBytes);
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket, left] {
            static const QByteArray line = "2004123,579,108,1,2\r\n";
            static const QByteArray block = line.repeated(65536 / line.size());
            if (socket->bytesToWrite() > block.size() || *left <= 0)
                return;
            const qint64 n = std::min<qint64>(*left, block.size());
            *left -= n;
            socket->write(block.left(n));
            if (*left <= 0)
                socket->disconnectFromHost();
        });
    }

    void Drip(QTcpSocket* socket, qsizetype at)
    {
        if (at >= Body.size()) {
            socket->disconnectFromHost();
            return;
        }
        socket->write(Body.mid(at, 1));
        QTimer::singleShot(DripIntervalMs, socket, [this, socket, at] { Drip(socket, at + 1); });
    }

    QTcpServer FServer;
    QHash<QTcpSocket*, QByteArray> FBuffers;
};
