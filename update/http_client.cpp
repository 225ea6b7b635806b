#include "update/http_client.h"

#include <cstdio>

#include "update/http_error.h"
#include "update/http_url.h"
#include "update/reply_header.h"
#include "update/stdio_file.h"

namespace tessaly {

THttpClient::THttpClient(std::unique_ptr<SocketTransport> transport) : TSocketClient(std::move(transport)) {}

void THttpClient::Get(const std::string& url) {
  if (busy_) throw HttpError("Already connected");
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(busy_);
  command_ = 0;
  url_ = url;
  port_ = Port;
  ResetCancelled();
  for (int redirects = 0;; ++redirects) {
    if (Exchange() == Outcome::kOver) return;
    if (replyNumber_ >= 300 && replyNumber_ <= 398) {
      if (!cookie_.empty()) HeaderInfo.Cookie = cookie_;
      bool handled = false;
      if (OnRedirect) OnRedirect(handled);
      if (handled) return;
      url_ = RedirectUrl(url_);
    }
    if (replyNumber_ == 401 && OnAuthenticationNeeded) OnAuthenticationNeeded();
    if (replyNumber_ < 299 || replyNumber_ > 399) return;
    // A server that redirects forever, or to itself, must not hold Get.
    if (redirects == kMaxRedirects) {
      Report(1, "Too Many Redirects");
      Fail();
      return;
    }
  }
}

THttpClient::Outcome THttpClient::Exchange() {
  HttpUrlParts parts = ParseHttpUrl(url_, port_);
  url_ = parts.url;
  path_ = parts.path;
  port_ = parts.port;
  if (!parts.host.empty()) Host = parts.host;
  request_ = BuildGetRequest({url_, path_, Host, !Proxy.empty()}, HeaderInfo);
  if (OnAboutToSend) OnAboutToSend();
  try {
    if (Proxy.empty())
      Connect(Host, port_);
    else
      Connect(Proxy, ProxyPort);
    SendText(request_.Text());
    ReplyHeaderReader reader;
    if (!ReadReplyHeader(reader)) {
      Fail();
      Disconnect();
      return Outcome::kOver;
    }
    if (InputFileMode)
      CaptureToFile(Body);
    else
      CaptureToText(Body);
    if (replyNumber_ <= 298 && BodyComplete()) {
      if (OnSuccess) OnSuccess(command_);
      Report(1, "Transaction Completed");
    } else if (replyNumber_ <= 298 || replyNumber_ >= 400) {
      Fail();
    }
  } catch (...) {
    Disconnect();
    throw;
  }
  Disconnect();
  return Outcome::kReplied;
}

// False when the reply is not one: no HTTP status line, a header cut short
// by the end of the connection, or one beyond the reader's limit.
bool THttpClient::ReadReplyHeader(ReplyHeaderReader& reader) {
  bytesTotal_ = 0;
  bytesReceived_ = 0;
  cookie_.clear();
  replyNumber_ = 0;
  while (reader.Reading()) {
    std::string& buffer = Buffer();
    if (!buffer.empty()) {
      buffer.erase(0, reader.Feed(buffer.data(), buffer.size()));
    } else if (!Connected()) {
      reader.End();
    } else {
      if (Cancelled()) throw HttpError("Socket readln aborted");
      Turn();
    }
  }
  KeepHeaderText(reader.Text());
  if (reader.GetState() != ReplyHeaderReader::State::kComplete) return false;
  replyNumber_ = static_cast<std::int16_t>(reader.ReplyNumber());
  bytesTotal_ = reader.ContentLength();
  cookie_ = reader.Cookie();
  if (!reader.Location().empty()) url_ = reader.Location();
  return true;
}

// A body that ended before its Content-Length, or by a reset where no
// length tells whether it is whole, is not a document.
bool THttpClient::BodyComplete() const {
  if (bytesTotal_ > 0) return bytesReceived_ >= bytesTotal_;
  return !EndedAbruptly();
}

void THttpClient::KeepHeaderText(const std::string& text) {
  if (!OutputFileMode) {
    Header = text;
    return;
  }
  StdioFile file = CreateNewFile(Header);
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size())
    throw HttpError("Cannot write file " + Header);
  CloseWrittenFile(std::move(file), Header);
}

void THttpClient::Fail() {
  if (OnFailure) OnFailure(command_);
}

}  // namespace tessaly
