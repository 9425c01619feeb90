// The internet database client against servers that fail it: one that never
// answers, one that stalls half-way through a reply, one that closes the
// connection mid-reply and one that closes without replying. Each request
// fails within the transfer time-out with a line in the error log, keeps
// what arrived, and the next request works.
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "CHTTPConnection.h"
#include "CannedHttpServer.h"
#include "ErrorLogCapture.h"

namespace {

// Answers every request with the same bytes (possibly none) and then holds
// the connection open without another byte.
class StallingServer : public QObject {
 public:
  explicit StallingServer(QByteArray answer) : answer_(std::move(answer)) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          socket->readAll();
          if (!answer_.isEmpty()) socket->write(answer_);
        });
      }
    });
  }
  QString Address() const { return "127.0.0.1:" + QString::number(server_.serverPort()); }

 private:
  QTcpServer server_;
  QByteArray answer_;
};

const QByteArray kHalfReply = CannedHttpServer::CutShort("1|Half|", 5000);

}  // namespace

class NetFaultTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    CHTTPConnection::SetReadPause(std::chrono::milliseconds(0));
    CHTTPConnection::SetTransferTimeout(std::chrono::milliseconds(500));
  }
  void cleanup() { CHTTPConnection::SetTransferTimeout(std::chrono::milliseconds(30000)); }

  void failedRequestIsLoggedAndKeepsWhatArrived_data() {
    QTest::addColumn<bool>("closes");        // after the answer; else it holds the connection open
    QTest::addColumn<QByteArray>("answer");  // what the server sends
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QString>("kept");
    QTest::newRow("never answers") << false << QByteArray() << "32003\tUnable to send HTTP Request" << "";
    QTest::newRow("stalls mid-reply") << false << kHalfReply << "32003\tThe HTTP reply broke off after 7 characters"
                                      << "1|Half|";
    QTest::newRow("closes mid-reply") << true << kHalfReply << "32003\tThe HTTP reply broke off after 7 characters"
                                      << "1|Half|";
    QTest::newRow("closes without a reply") << true << QByteArray() << "32003\tUnable to send HTTP Request" << "";
  }

  void failedRequestIsLoggedAndKeepsWhatArrived() {
    QFETCH(bool, closes);
    QFETCH(QByteArray, answer);
    QFETCH(QString, logged);
    QFETCH(QString, kept);
    ErrorLogCapture log;
    StallingServer stalling(answer);
    CannedHttpServer closing;
    // The network layer tries a request again once when the connection
    // closed before any reply, so the server fails it every time.
    for (int attempt = 0; attempt < 3; ++attempt) closing.Queue(answer);
    CHTTPConnection http;
    QVERIFY(http.Connect((closes ? closing.Address() : stalling.Address()).toStdString()));
    QVERIFY(!http.Post("/lindel/Lindel/list.php", "POST"));
    QCOMPARE(QString::fromStdString(http.File()), kept);
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY2(log.Lines()[0].startsWith(logged + "\tCHTTPConnection\t"), qPrintable(log.Lines()[0]));

    CannedHttpServer healthy;
    healthy.Queue(CannedHttpServer::Reply("2|Whole|||0|"));
    QVERIFY(http.Connect(healthy.Address().toStdString()));
    QVERIFY2(http.Post("/lindel/Lindel/list.php", "POST"), "the next request works");
    QCOMPARE(http.File(), std::string("2|Whole|||0|"));
  }
};

QTEST_GUILESS_MAIN(NetFaultTest)
#include "NetFaultTest.moc"
