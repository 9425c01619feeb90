#include "CannedHttpServer.h"

#include <QRegularExpression>
#include <QTcpSocket>

namespace {

QByteArray Head(int status, int length) {
  return "HTTP/1.1 " + QByteArray::number(status) + " Canned\r\nContent-Type: application/octet-stream\r\n" +
         "Content-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
}

// True once the buffer holds the head and the body it announces.
bool IsComplete(const QByteArray& request) {
  const qsizetype headEnd = request.indexOf("\r\n\r\n");
  if (headEnd < 0) return false;
  static const QRegularExpression length("content-length:\\s*(\\d+)", QRegularExpression::CaseInsensitiveOption);
  const auto match = length.match(QString::fromLatin1(request.left(headEnd)));
  const qsizetype body = match.hasMatch() ? match.captured(1).toLongLong() : 0;
  return request.size() >= headEnd + 4 + body;
}

}  // namespace

CannedHttpServer::CannedHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, &CannedHttpServer::Accept);
}

QString CannedHttpServer::Address() const { return "127.0.0.1:" + QString::number(server_.serverPort()); }

QByteArray CannedHttpServer::Reply(const QByteArray& body, int status) {
  return Head(status, static_cast<int>(body.size())) + body;
}

QString CannedHttpServer::ClosedAddress() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return "127.0.0.1:" + QString::number(probe.serverPort());
}

QByteArray CannedHttpServer::CutShort(const QByteArray& body, int announced) { return Head(200, announced) + body; }

void CannedHttpServer::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    socket->setProperty("request", QByteArray());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void CannedHttpServer::Answer(QTcpSocket* socket) {
  const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
  socket->setProperty("request", request);
  if (!IsComplete(request)) return;
  requests_.append(request);
  socket->write(replies_.isEmpty() ? Reply("nothing queued", 404) : replies_.takeFirst());
  socket->disconnectFromHost();
}
