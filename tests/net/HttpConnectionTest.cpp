#include <QTimer>
#include <QtTest>

#include "AnsiText.h"
#include "CHTTPConnection.h"
#include "CannedHttpServer.h"
#include "ErrorLogCapture.h"

namespace {

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

  // What the reply carried is the text, whatever its bytes or status; a body
  // cut short fails the request and keeps what arrived.
  void bodyIsTheText_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("text");
    QByteArray every;
    for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
    QTest::newRow("across chunks") << CannedHttpServer::Reply(BodyOf4500()) << true << BodyOf4500();
    QTest::newRow("empty") << CannedHttpServer::Reply("") << true << QByteArray();
    QTest::newRow("every byte") << CannedHttpServer::Reply(every) << true << every;
    QTest::newRow("error status") << CannedHttpServer::Reply("no preset with id 9\n", 404) << true
                                  << QByteArray("no preset with id 9\n");
    QTest::newRow("cut short") << CannedHttpServer::CutShort("partial", 5000) << false << QByteArray("partial");
  }

  void bodyIsTheText() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(QByteArray, text);
    CannedHttpServer server;
    server.Queue(reply);
    ErrorLogCapture log;
    CHTTPConnection http;
    QVERIFY(http.Connect(server.Address().toStdString()));
    QCOMPARE(http.Post("/db/Lindel/list.php?ID=on&name=on", "GET"), ok);
    const std::vector<uint8_t> back = ToAnsi(http.File());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(back.data()), static_cast<qsizetype>(back.size())), text);
    if (ok) QVERIFY(log.Lines().isEmpty());
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

  void serverDownFailsTheSendWith32003() {
    ErrorLogCapture log;
    CHTTPConnection http;
    QVERIFY(http.Connect(CannedHttpServer::ClosedAddress().toStdString()));
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
