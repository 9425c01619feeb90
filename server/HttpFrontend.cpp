#include "HttpFrontend.h"

#include <httplib.h>

#include <array>
#include <ctime>

#include "PresetDatabaseService.h"
#include "PresetUpload.h"

namespace {

constexpr std::chrono::seconds kReadTimeout{5};

std::string Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  std::array<char, 32> buf{};
  std::strftime(buf.data(), buf.size(), "%Y-%m-%d %H:%M:%S", &tm);
  return buf.data();
}

ServiceRequest ToServiceRequest(const httplib::Request& req) {
  ServiceRequest request{req.method, req.path, {req.params.begin(), req.params.end()}, std::nullopt,
                         req.get_header_value("Authorization"), req.remote_addr};
  if (req.is_multipart_form_data()) {
    request.form.emplace();
    for (const auto& [name, part] : req.files) request.form->emplace(name, part.content);
  }
  return request;
}

void Answer(const ServiceResponse& response, httplib::Response& res) {
  res.status = response.status;
  res.set_content(response.body, response.contentType.c_str());
  if (!response.allow.empty()) res.set_header("Allow", response.allow);
  if (!response.authenticate.empty()) res.set_header("WWW-Authenticate", response.authenticate);
}

// Text for the refusals httplib makes itself (too large, malformed, unknown method).
void ExplainError(const httplib::Request&, httplib::Response& res) {
  if (!res.body.empty()) return;
  const std::string text = res.status == 413
                               ? "request body too large (limit " + std::to_string(UploadLimit::Body) + " bytes)"
                               : "request refused (HTTP " + std::to_string(res.status) + ")";
  res.set_content(text + "\n", "text/plain; charset=utf-8");
}

}  // namespace

HttpFrontend::HttpFrontend(PresetDatabaseService& service, std::ostream& log, int workers)
    : server_(std::make_unique<httplib::Server>()), log_(log) {
  // A worker stays with one connection while its request trickles in, so
  // there are many of them; a client silent for kReadTimeout is let go.
  server_->new_task_queue = [workers] { return new httplib::ThreadPool(static_cast<std::size_t>(workers)); };
  server_->set_read_timeout(kReadTimeout);
  const auto handle = [&service](const httplib::Request& req, httplib::Response& res) {
    Answer(service.Handle(ToServiceRequest(req)), res);
  };
  server_->Get(".*", handle);
  server_->Post(".*", handle);
  // A POST without Content-Length would make httplib read the body until
  // the connection closes; such a request has no body (the list request
  // may come that way), so answer it at once.
  server_->set_pre_routing_handler([handle](const httplib::Request& req, httplib::Response& res) {
    if (req.method != "POST" || req.has_header("Content-Length") || req.has_header("Transfer-Encoding")) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    handle(req, res);
    return httplib::Server::HandlerResponse::Handled;
  });
  // SO_REUSEADDR only: httplib's default SO_REUSEPORT would let a second
  // server share the port, each answering with its own database.
  server_->set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  // Small replies go out at once instead of waiting for the client's ACK.
  server_->set_tcp_nodelay(true);
  server_->set_payload_max_length(UploadLimit::Body);
  server_->set_error_handler(ExplainError);
  server_->set_logger([this](const httplib::Request& req, const httplib::Response& res) {
    LogRequest(Now() + " " + req.remote_addr + " " + req.method + " " + req.target + " " + std::to_string(res.status) +
               " " + std::to_string(res.body.size()));
  });
}

HttpFrontend::~HttpFrontend() = default;

int HttpFrontend::Bind(const std::string& host, int port) {
  if (port == 0) return server_->bind_to_any_port(host);
  return server_->bind_to_port(host, port) ? port : -1;
}

bool HttpFrontend::Serve() { return server_->listen_after_bind(); }

void HttpFrontend::Stop() { server_->stop(); }

void HttpFrontend::LogRequest(const std::string& line) {
  const std::lock_guard lock(logMutex_);
  log_ << line << std::endl;
}
