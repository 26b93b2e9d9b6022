// A one-file HTTP server on 127.0.0.1 (port chosen by the system) for download tests.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class TestHttpServer : public QObject {
public:
    enum class Mode { Answer, Silent };

    Mode ServerMode = Mode::Answer;
    int Status = 200;
    QByteArray ContentType = "text/plain";
    QByteArray Body;
    QStringList RequestLines;

    TestHttpServer() { connect(&FServer, &QTcpServer::newConnection, this, &TestHttpServer::Accept); }

    bool Start() { return FServer.listen(QHostAddress::LocalHost, 0); }
    quint16 Port() const { return FServer.serverPort(); }
    QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(Port()); }

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
        if (!buffer.contains("\r\n\r\n"))
            return;
        RequestLines << QString::fromLatin1(buffer.left(buffer.indexOf("\r\n")));
        if (ServerMode == Mode::Silent)
            return;
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(Status) + " X\r\n";
        reply += "Content-Type: " + ContentType + "\r\n";
        reply += "Content-Length: " + QByteArray::number(Body.size()) + "\r\n";
        reply += "Connection: close\r\n\r\n";
        reply += Body;
        socket->write(reply);
        socket->disconnectFromHost();
    }

    QTcpServer FServer;
    QHash<QTcpSocket*, QByteArray> FBuffers;
};
