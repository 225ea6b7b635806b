#include "update/socket_client.h"

#include <algorithm>

#include "update/http_error.h"
#include "update/stdio_file.h"

namespace tessaly {

namespace {
// Reads per turn while the data keep coming in full blocks: the message loop
// still turns during a fast download, and the receive buffer stays bounded.
constexpr int kReadsPerTurn = 32;
}  // namespace

TSocketClient::TSocketClient(std::unique_ptr<SocketTransport> transport)
    : transport_(std::move(transport)), chunk_(kReadSize) {}

TSocketClient::~TSocketClient() { transport_->Close(); }

void TSocketClient::Report(int level, const std::string& text) {
  if (OnStatus && level <= ReportLevel) OnStatus(text);
}

void TSocketClient::WaitWithTimeOut(const std::function<bool()>& pending) {
  timedOut_ = false;
  if (TimeOut > 0) transport_->StartTimer(TimeOut);
  while (pending() && !cancelled_) {
    if (TimeOut > 0 && transport_->TimerFired()) {
      timedOut_ = true;
      break;
    }
    Turn();
  }
  transport_->StopTimer();
}

void TSocketClient::Resolve(const std::string& host) {
  for (int attempt = 0;; ++attempt) {
    if (transport_->StartLookup(host)) return;  // a dotted address
    WaitWithTimeOut([&] { return transport_->LookupProgress() == SocketTransport::Progress::kPending; });
    SocketTransport::Progress p = transport_->LookupProgress();
    if (p == SocketTransport::Progress::kPending) {
      transport_->CancelLookup();
      throw HttpError(timedOut_ ? "Host Lookup Timed Out" : "Host Lookup Canceled");
    }
    if (p == SocketTransport::Progress::kDone) {
      if (OnHostResolved) OnHostResolved();
      return;
    }
    Report(1, "Host Lookup Failed");
    bool handled = false;
    if (attempt == 0 && OnInvalidHost) OnInvalidHost(handled);
    if (!handled) throw HttpError("Null Remote Address");
  }
}

void TSocketClient::Connect(const std::string& host, int port) {
  if (open_) throw HttpError("Already connected");
  Resolve(host);
  buffer_.clear();
  transport_->StartConnect(port);
  open_ = true;
  WaitWithTimeOut([&] { return transport_->ConnectProgress() == SocketTransport::Progress::kPending; });
  if (transport_->ConnectProgress() != SocketTransport::Progress::kDone) {
    // What ended the wait, before a handler can call Abort.
    const char* error = timedOut_ ? "Connection Timed out" : cancelled_ ? "Connection Canceled" : "Connection Failed";
    transport_->Close();
    open_ = false;
    if (OnConnectionFailed) OnConnectionFailed();
    throw HttpError(error);
  }
  connected_ = true;
  if (OnConnect) OnConnect();
}

void TSocketClient::Disconnect() {
  if (!open_) return;
  transport_->Close();
  open_ = false;
  connected_ = false;
  if (OnDisconnect) OnDisconnect();
}

void TSocketClient::SendText(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t sent = transport_->Send(text.data() + at, std::min(kSendSize, text.size() - at));
    at += sent;
    if (sent > 0) continue;
    if (cancelled_) throw HttpError("Socket send aborted");
    Turn();
  }
}

bool TSocketClient::EndedAbruptly() const { return transport_->EndedAbruptly(); }

void TSocketClient::Turn() {
  // A program that is ending ends the exchange at once, as a cancel does:
  // nothing more is waited for or written.
  if (!transport_->Turn()) {
    cancelled_ = true;
    return;
  }
  TakeIn();
}

void TSocketClient::TakeIn() {
  if (!connected_) return;
  for (int i = 0; i < kReadsPerTurn; ++i) {
    std::size_t n = transport_->Receive(chunk_.data(), chunk_.size());
    if (n == 0) break;
    Deliver(chunk_.data(), n);
  }
  if (transport_->Ended()) connected_ = false;
}

void TSocketClient::Deliver(const char* data, std::size_t size) {
  if (captureFile_) {
    if (std::fwrite(data, 1, size, captureFile_) != size) throw HttpError("Cannot write file " + captureFileName_);
  } else {
    buffer_.append(data, size);
  }
  if (capturing_) {
    bytesReceived_ += static_cast<std::int64_t>(size);
    if (OnPacketRecvd) OnPacketRecvd(bytesReceived_, bytesTotal_);
  }
}

void TSocketClient::StartCapture(std::int64_t alreadyReceived) {
  bytesReceived_ = alreadyReceived;
  capturing_ = true;
  // The part of the body that came with the header is the first block.
  if (alreadyReceived > 0 && OnPacketRecvd) OnPacketRecvd(bytesReceived_, bytesTotal_);
}

void TSocketClient::CaptureToText(std::string& body) {
  struct Scope {
    bool& flag;
    ~Scope() { flag = false; }
  } scope{capturing_};
  body = std::move(buffer_);
  buffer_.clear();
  StartCapture(static_cast<std::int64_t>(body.size()));
  auto tooLong = [&] { return MaxTextBody > 0 && body.size() > MaxTextBody; };
  while (connected_ && !cancelled_ && !tooLong()) {
    Turn();
    body += buffer_;
    buffer_.clear();
  }
  if (cancelled_) throw HttpError("Socket capture aborted");
  // Not read to its end: the rest is never waited for.
  if (tooLong()) throw HttpError("Reply body too long");
}

void TSocketClient::CaptureToFile(const std::string& fileName) {
  StdioFile file = CreateNewFile(fileName);
  struct Scope {
    TSocketClient& c;
    ~Scope() {
      c.captureFile_ = nullptr;
      c.capturing_ = false;
    }
  } scope{*this};
  captureFileName_ = fileName;
  captureFile_ = file.get();
  Deliver(buffer_.data(), buffer_.size());
  StartCapture(static_cast<std::int64_t>(buffer_.size()));
  buffer_.clear();
  while (connected_ && !cancelled_) Turn();
  CloseWrittenFile(std::move(file), fileName);
  if (cancelled_) throw HttpError("Socket send aborted");
}

}  // namespace tessaly
