#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "update/socket_transport.h"

namespace tessaly {

// The socket side of the HTTP client: finds the host, connects within
// TimeOut, sends, and takes in what arrives into its receive buffer or a
// capture. Every wait turns the message loop, so the program's windows,
// timers and a call of Abort go on while a transfer is on the stack; the
// cancelled flag is the only way those reach the waiting exchange.
class TSocketClient {
 public:
  static constexpr std::size_t kReadSize = 16383;  // one read
  static constexpr std::size_t kSendSize = 16385;  // one send at most

  explicit TSocketClient(std::unique_ptr<SocketTransport> transport);
  virtual ~TSocketClient();
  TSocketClient(const TSocketClient&) = delete;
  TSocketClient& operator=(const TSocketClient&) = delete;

  std::string Host;     // host name or dotted address
  int Port = 0;         // 0: the URL decides
  int TimeOut = 0;      // ms allowed for host lookup and for connecting; 0: no limit
  int ReportLevel = 1;  // OnStatus gets the reports up to this level
  // The most bytes of a body kept in memory; a longer one ends the exchange
  // as soon as it is over the limit. 0: no limit.
  std::size_t MaxTextBody = 0;

  // A host name was not found; handled = true asks to look it up once more.
  std::function<void(bool& handled)> OnInvalidHost;
  std::function<void()> OnHostResolved;
  std::function<void()> OnConnect;
  std::function<void()> OnConnectionFailed;
  std::function<void()> OnDisconnect;
  // A block of the body arrived: bytes received so far and the expected
  // total (the reply's Content-Length, 0 when it gave none).
  std::function<void(std::int64_t received, std::int64_t total)> OnPacketRecvd;
  std::function<void(const std::string& text)> OnStatus;

  // Ends the exchange in progress: every wait ends at its next turn.
  void Abort() { cancelled_ = true; }

  bool Connected() const { return connected_; }
  bool Cancelled() const { return cancelled_; }
  bool TimedOut() const { return timedOut_; }
  bool Capturing() const { return capturing_; }
  std::int64_t BytesReceived() const { return bytesReceived_; }
  std::int64_t BytesTotal() const { return bytesTotal_; }

 protected:
  // Finds the host and connects, or raises the error of the failure table.
  void Connect(const std::string& host, int port);
  // Closes the socket (the server may have closed its side already).
  void Disconnect();
  void SendText(const std::string& text);
  // One turn of the message loop, then takes in what has arrived; cancels
  // the exchange once the program is ending.
  void Turn();
  // Received bytes not yet taken by a reader or a capture.
  std::string& Buffer() { return buffer_; }
  // The connection ended by a reset or an error, not an orderly close.
  bool EndedAbruptly() const;
  // Moves the body into text, or writes it to a new file, until the server
  // closes the connection; raises when cancelled.
  void CaptureToText(std::string& body);
  void CaptureToFile(const std::string& fileName);
  void ResetCancelled() { cancelled_ = false; }
  void Report(int level, const std::string& text);

  std::int64_t bytesTotal_ = 0;
  std::int64_t bytesReceived_ = 0;

 private:
  void Resolve(const std::string& host);
  // Turns the message loop until pending() is false, TimeOut ran out or the
  // exchange was cancelled.
  void WaitWithTimeOut(const std::function<bool()>& pending);
  void TakeIn();
  void Deliver(const char* data, std::size_t size);
  void StartCapture(std::int64_t alreadyReceived);

  std::unique_ptr<SocketTransport> transport_;
  bool open_ = false;
  bool connected_ = false;
  bool cancelled_ = false;
  bool timedOut_ = false;
  bool capturing_ = false;
  std::string buffer_;
  std::vector<char> chunk_;
  std::FILE* captureFile_ = nullptr;  // owned by CaptureToFile while it runs
  std::string captureFileName_;
};

}  // namespace tessaly
