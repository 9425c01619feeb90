// A loopback HTTP server for client tests, running on the test's own event
// loop: it answers each request with the next queued raw reply (404 when
// none is left) and keeps the raw requests it received.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

class CannedHttpServer : public QObject {
 public:
  CannedHttpServer();

  // "127.0.0.1:PORT", as the Server setting takes it.
  QString Address() const;
  void Queue(const QByteArray& rawReply) { replies_.append(rawReply); }
  const QList<QByteArray>& Requests() const { return requests_; }

  // A whole reply with the given body.
  static QByteArray Reply(const QByteArray& body, int status = 200);
  // A reply that announces more body than it sends, then closes.
  static QByteArray CutShort(const QByteArray& body, int announced);
  // A loopback address with nothing listening on it.
  static QString ClosedAddress();

 private:
  void Accept();
  void Answer(QTcpSocket* socket);

  QTcpServer server_;
  QList<QByteArray> replies_;
  QList<QByteArray> requests_;
};
