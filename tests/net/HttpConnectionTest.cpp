#include <QTcpServer>
#include <QTimer>
#include <QtTest>

#include "AnsiText.h"
#include "CHTTPConnection.h"
#include "CannedHttpServer.h"
#include "ErrorLogCapture.h"

namespace {

// A loopback port with nothing listening on it.
QString ClosedAddress() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  const QString address = "127.0.0.1:" + QString::number(probe.serverPort());
  probe.close();
  return address;
}

QByteArray BodyOf4500() {
  QByteArray body;
  for (int i = 0; i < 4500; ++i) body += static_cast<char>('a' + i % 26);
  for (int edge : {1999, 2000, 3999, 4000}) body[edge] = ' ';
  return body;
}

// The head line and headers of a raw request, keyed by lower-case name.
QMap<QByteArray, QByteArray> Headers(const QByteArray& request) {
  QMap<QByteArray, QByteArray> headers;
  const QList<QByteArray> lines = request.left(request.indexOf("\r\n\r\n")).split('\n');
  headers["request-line"] = lines.front().trimmed();
  for (const QByteArray& line : lines.mid(1)) {
    const qsizetype colon = line.indexOf(':');
    headers[line.left(colon).trimmed().toLower()] = line.mid(colon + 1).trimmed();
  }
  return headers;
}

}  // namespace

class HttpConnectionTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { CHTTPConnection::SetReadPause(std::chrono::milliseconds(0)); }

  void readsWholeBodyAcrossChunks() {
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply(BodyOf4500()));
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/db/Lindel/list.php?ID=on&name=on", "POST"));
    QCOMPARE(QByteArray::fromStdString(http.File()), BodyOf4500());
  }

  void sendsTheMethodPathAgentAndNoBody() {
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply("ok"));
    server.Queue(CannedHttpServer::Reply("ok"));
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/db/Lindel/list.php?ID=on&name=on", "POST"));
    QVERIFY(http.Post("/db/bintest.php?id=7", "GET"));
    QCOMPARE(server.Requests().size(), 2);
    const auto post = Headers(server.Requests()[0]);
    QCOMPARE(post["request-line"], QByteArray("POST /db/Lindel/list.php?ID=on&name=on HTTP/1.1"));
    QCOMPARE(post["user-agent"], server.Address().toLatin1());
    QCOMPARE(post["content-length"], QByteArray("0"));
    QVERIFY(server.Requests()[0].endsWith("\r\n\r\n"));
    QCOMPARE(Headers(server.Requests()[1])["request-line"], QByteArray("GET /db/bintest.php?id=7 HTTP/1.1"));
  }

  void emptyBodyIsEmptyText() {
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply(""));
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/x", "POST"));
    QCOMPARE(http.File(), std::string());
  }

  void everyByteSurvivesAsAnsiText() {
    QByteArray body;
    for (int b = 0; b < 256; ++b) body += static_cast<char>(b);
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply(body));
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/x", "GET"));
    const std::vector<uint8_t> back = ToAnsi(http.File());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(back.data()), static_cast<qsizetype>(back.size())), body);
  }

  void errorStatusBodyIsAReply() {
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply("no preset with id 9\n", 404));
    ErrorLogCapture log;
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/bintest.php?id=9", "GET"));
    QCOMPARE(http.File(), std::string("no preset with id 9\n"));
    QVERIFY(log.Lines().isEmpty());
  }

  void bodyCutShortFailsKeepingWhatArrived() {
    CannedHttpServer server;
    server.Queue(CannedHttpServer::CutShort("partial", 5000));
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(!http.Post("/x", "GET"));
    QCOMPARE(http.File(), std::string("partial"));
  }

  void serverDownFailsTheSendWith32003() {
    ErrorLogCapture log;
    CHTTPConnection http;
    QVERIFY(http.Connect(ClosedAddress().toStdString()));
    QVERIFY(!http.Post("/x", "POST"));
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY(log.Lines()[0].startsWith("32003\tUnable to send HTTP Request\tCHTTPConnection\t"));
  }

  void windowKeepsRunningEventsDuringThePause() {
    CHTTPConnection::SetReadPause(std::chrono::milliseconds(60));
    CannedHttpServer server;
    server.Queue(CannedHttpServer::Reply("ok"));
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    timer.start(5);
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QVERIFY(http.Post("/x", "GET"));
    QVERIFY2(ticks > 0, "timers and repaints run while a reply is read");
  }

  void badServerNamesFailToConnectWith32001_data() {
    QTest::addColumn<QString>("server");
    QTest::newRow("empty") << "";
    QTest::newRow("blank inside") << "my host";
    QTest::newRow("user part") << "user@host";
    QTest::newRow("port not a number") << "host:http";
    QTest::newRow("port too large") << "host:70000";
    QTest::newRow("path") << "host/lindel";
  }

  void badServerNamesFailToConnectWith32001() {
    QFETCH(QString, server);
    ErrorLogCapture log;
    CHTTPConnection http;
    QVERIFY(!http.Connect(server.toStdString()));
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY(log.Lines()[0].startsWith("32001\tUnable to connect using HTTP\tCHTTPConnection\t"));
    QVERIFY2(!http.Post("/x", "GET"), "no request without a connection");
    QVERIFY(log.Lines()[1].startsWith("32002\tUnable to open an HTTP request\tCHTTPConnection\t"));
  }

  void portFollowsSecureAndTheServerName_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("secure");
    QTest::addColumn<int>("port");
    QTest::newRow("plain") << "presets.example.org" << false << 80;
    QTest::newRow("secure") << "presets.example.org" << true << 443;
    QTest::newRow("own port") << "127.0.0.1:8080" << false << 8080;
    QTest::newRow("own port, secure") << "localhost:8443" << true << 8443;
    QTest::newRow("IPv6") << "[::1]:8080" << false << 8080;
  }

  void portFollowsSecureAndTheServerName() {
    QFETCH(QString, server);
    QFETCH(bool, secure);
    QFETCH(int, port);
    CHTTPConnection http;
    QVERIFY(http.Connect(server.toStdString(), "", "", "", secure));
    QCOMPARE(http.Port(), port);
  }
};

QTEST_GUILESS_MAIN(HttpConnectionTest)
#include "HttpConnectionTest.moc"
