#include "CHTTPConnection.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "CLog.h"
#include "ChunkedRead.h"
#include "LindelError.h"

namespace {

constexpr const char* kSource = "CHTTPConnection";
constexpr int kHttpPort = 80;
constexpr int kHttpsPort = 443;
// A request that hangs this long fails instead of blocking the window forever.
std::chrono::milliseconds transferTimeout{30000};

std::chrono::milliseconds readPause{2000};

// Proxies as the system has them set (environment, desktop settings).
class SystemProxies : public QNetworkProxyFactory {
 public:
  QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override { return systemProxyForQuery(query); }
};

// Failures of the transfer itself. HTTP error statuses (content and server
// errors) are not among them: their bodies are replies like any other.
bool IsTransportError(QNetworkReply::NetworkError error) {
  const int code = static_cast<int>(error);
  const bool connectionOrProxy = code > 0 && code < QNetworkReply::ContentAccessDenied;
  const bool protocol = code >= QNetworkReply::ProtocolUnknownError && code <= QNetworkReply::ProtocolFailure;
  return connectionOrProxy || protocol;
}

bool HasHeaders(const QNetworkReply& reply) {
  return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

// Runs events other than user input until the reply signals progress.
void WaitForProgress(QNetworkReply& reply) {
  QEventLoop loop;
  QObject::connect(&reply, &QNetworkReply::metaDataChanged, &loop, &QEventLoop::quit);
  QObject::connect(&reply, &QNetworkReply::readyRead, &loop, &QEventLoop::quit);
  QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// The body of a network reply as the chunked read sees it.
class NetworkReplySource : public IReplySource {
 public:
  explicit NetworkReplySource(QNetworkReply& reply) : reply_(reply) {}

  std::optional<std::size_t> QueryAvailable() override {
    while (reply_.bytesAvailable() == 0 && !reply_.isFinished()) WaitForProgress(reply_);
    if (reply_.bytesAvailable() > 0) return static_cast<std::size_t>(reply_.bytesAvailable());
    if (IsTransportError(reply_.error())) return std::nullopt;
    return 0;
  }

  // The window repaints during the pause; clicks and keys wait for the end
  // of the request, so no second request can start inside this one.
  void Pause() override {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (readPause.count() <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(readPause, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }

  std::optional<std::vector<uint8_t>> Read(std::size_t maxBytes) override {
    if (reply_.bytesAvailable() == 0 && IsTransportError(reply_.error())) return std::nullopt;
    const QByteArray data = reply_.read(static_cast<qint64>(maxBytes));
    return std::vector<uint8_t>(data.begin(), data.end());
  }

 private:
  QNetworkReply& reply_;
};

struct HostAndPort {
  QString host;
  int port = -1;  // -1: none given
};

// "host", "host:port" or "[v6 address]:port"; nothing for anything else.
std::optional<HostAndPort> ParseServerName(const std::string& serverName) {
  QUrl url;
  url.setAuthority(QString::fromStdString(serverName), QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()) return std::nullopt;
  return HostAndPort{url.host(), url.port(-1)};
}

}  // namespace

CHTTPConnection::CHTTPConnection() = default;

CHTTPConnection::~CHTTPConnection() = default;

std::chrono::milliseconds CHTTPConnection::ReadPause() { return readPause; }

void CHTTPConnection::SetReadPause(std::chrono::milliseconds pause) { readPause = pause; }

void CHTTPConnection::SetTransferTimeout(std::chrono::milliseconds timeout) { transferTimeout = timeout; }

bool CHTTPConnection::Connect(const std::string& sServerName, const std::string& sAppName, const std::string&,
                              const std::string&, bool bSecure) {
  try {
    agent_ = sAppName.empty() ? sServerName : sAppName;
    // The network layer needs the application's event loop.
    if (!QCoreApplication::instance()) {
      throw LindelError(ErrorNumber::HttpOpen, kSource, "Unable to initialze WinInet API");
    }
    internet_ = std::make_unique<QNetworkAccessManager>();
    internet_->setProxyFactory(new SystemProxies);
    secure_ = bSecure;
    const auto server = ParseServerName(sServerName);
    if (!server) throw LindelError(ErrorNumber::HttpConnect, kSource, "Unable to connect using HTTP");
    host_ = server->host.toStdString();
    port_ = server->port >= 0 ? server->port : (secure_ ? kHttpsPort : kHttpPort);
    return true;
  } catch (const LindelError& e) {
    LogError(e);
    return false;
  }
}

bool CHTTPConnection::Post(const std::string& sURL, const std::string& sCMD) {
  try {
    QUrl url;
    url.setScheme(secure_ ? "https" : "http");
    url.setHost(QString::fromStdString(host_));
    url.setPort(port_);
    const auto queryStart = sURL.find('?');
    const std::string path = sURL.substr(0, queryStart);
    url.setPath(QString::fromStdString(path.starts_with('/') ? path : "/" + path), QUrl::TolerantMode);
    if (queryStart != std::string::npos) url.setQuery(QString::fromStdString(sURL.substr(queryStart + 1)));
    if (!internet_ || host_.empty() || sCMD.empty() || !url.isValid()) {
      throw LindelError(ErrorNumber::HttpRequest, kSource, "Unable to open an HTTP request");
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(agent_));
    if (!secure_) request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(static_cast<int>(transferTimeout.count()));

    // No body, also with POST: an empty one, so the length 0 is sent.
    std::unique_ptr<QNetworkReply> reply(
        internet_->sendCustomRequest(request, QByteArray::fromStdString(sCMD), QByteArray()));
    while (!HasHeaders(*reply) && !reply->isFinished()) WaitForProgress(*reply);
    if (!HasHeaders(*reply) && IsTransportError(reply->error())) {
      reply->abort();
      throw LindelError(ErrorNumber::HttpSend, kSource, "Unable to send HTTP Request");
    }
    return ReadResponse(*reply, kReadBufferSize);
  } catch (const LindelError& e) {
    LogError(e);
    return false;
  }
}

bool CHTTPConnection::ReadResponse(QNetworkReply& reply, std::size_t bufferSize) {
  NetworkReplySource source(reply);
  if (ReadChunked(source, bufferSize, file_)) return true;
  // A reply that breaks off (the server closed or stalled) is otherwise silent.
  LogError(LindelError(ErrorNumber::HttpSend, kSource,
                       "The HTTP reply broke off after " + std::to_string(file_.size()) + " characters"));
  return false;
}
