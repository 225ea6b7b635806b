#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/header_list.h"
#include "update/http_request.h"
#include "update/socket_client.h"

namespace tessaly {

class ReplyHeaderReader;

// An HTTP/1.0 client for one document at a time. Get runs the whole exchange
// (with its redirects) on the calling thread while the message loop keeps
// turning, and reports the outcome through the events, which fire inside it.
// Failures that no event reports leave Get as HttpError.
class THttpClient : public TSocketClient {
 public:
  // Redirects followed by one Get; the next one ends it as a failure.
  static constexpr int kMaxRedirects = 5;

  explicit THttpClient(std::unique_ptr<SocketTransport> transport);

  std::string Proxy;  // empty: connect to the host itself
  int ProxyPort = 0;
  // The body (memory mode) or the name of the file that receives it
  // (InputFileMode); the file is created new, replacing any of that name.
  std::string Body = "Default.htm";
  // The reply header text, or the name of the file that receives it
  // (OutputFileMode).
  std::string Header = "Head.txt";
  THeaderInfo HeaderInfo;
  bool InputFileMode = false;
  bool OutputFileMode = false;

  // The reply number was up to 298 (OnSuccess) or 400 and above, or the
  // reply was unusable, cut short or redirected too often (OnFailure). The
  // argument is the command, 0 for Get.
  std::function<void(int command)> OnSuccess;
  std::function<void(int command)> OnFailure;
  // A reply from 300 to 398; handled = true ends Get instead of following it.
  std::function<void(bool& handled)> OnRedirect;
  std::function<void()> OnAboutToSend;
  std::function<void()> OnAuthenticationNeeded;

  // Fetches url. A call while a Get of this client runs raises "Already
  // connected". The client must outlive its Get: to end it early, call Abort
  // and let Get return.
  void Get(const std::string& url);

  const std::string& Url() const { return url_; }
  const std::string& Path() const { return path_; }
  int ReplyNumber() const { return replyNumber_; }
  // The header lines of the last request.
  const THeaderList& Request() const { return request_; }

 private:
  enum class Outcome { kOver, kReplied };
  Outcome Exchange();
  bool ReadReplyHeader(ReplyHeaderReader& reader);
  bool BodyComplete() const;
  void KeepHeaderText(const std::string& text);
  void Fail();

  int command_ = 0;
  bool busy_ = false;
  std::string url_;
  std::string path_;
  int port_ = 0;
  std::int16_t replyNumber_ = 0;
  std::string cookie_;
  THeaderList request_;
};

}  // namespace tessaly
