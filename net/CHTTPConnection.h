// A small HTTP client for the internet preset database: connect to one
// server, send one request at a time with any method and path, and collect
// the whole reply body as text. Failures are logged (32000-32003, source
// "CHTTPConnection") and reported as false; the user sees no message.
//
// Runs on the user-interface thread. While a reply is read the window keeps
// repainting; user input waits until the request is over.
#pragma once

#include <chrono>
#include <memory>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;

class CHTTPConnection {
 public:
  // Bytes taken per read of a reply.
  static constexpr std::size_t kReadBufferSize = 2000;

  CHTTPConnection();
  ~CHTTPConnection();
  CHTTPConnection(const CHTTPConnection&) = delete;
  CHTTPConnection& operator=(const CHTTPConnection&) = delete;

  // sServerName is a host, or "host:port" to reach a server on another port
  // than 80 (443 when bSecure). An empty sAppName sends the server name as
  // the agent. sUserName and sPwd are accepted and not used. The system's
  // proxy settings apply.
  bool Connect(const std::string& sServerName, const std::string& sAppName = "",
               const std::string& sUserName = "", const std::string& sPwd = "", bool bSecure = false);
  // Sends sCMD ("POST", "GET", any method) for the object path sURL (query
  // string allowed), with no body, and reads the whole reply into File. An
  // HTTP error status is still a reply: its body is read like any other.
  bool Post(const std::string& sURL, const std::string& sCMD);
  // The reply body of the last Post, as UTF-8 converted from ANSI bytes.
  const std::string& File() const { return file_; }
  // The port Connect chose; 0 before a successful Connect.
  int Port() const { return port_; }

  // The pause before every read of a reply: two seconds, shortened by tests.
  static std::chrono::milliseconds ReadPause();
  static void SetReadPause(std::chrono::milliseconds pause);
  // A request that transfers nothing for this long fails (30 s; tests shorten it).
  static void SetTransferTimeout(std::chrono::milliseconds timeout);

 private:
  bool ReadResponse(QNetworkReply& reply, std::size_t bufferSize);

  std::unique_ptr<QNetworkAccessManager> internet_;
  std::string host_;
  int port_ = 0;
  bool secure_ = false;
  std::string agent_;
  std::string file_;
};
