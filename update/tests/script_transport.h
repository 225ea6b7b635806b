// A socket transport that plays scripted connections, for the HTTP client's
// native tests and its fuzz target: each connection the client opens takes
// the next script, which may refuse it or answer with a reply handed over in
// pieces of given sizes (a piece a turn) and end by a close or a reset. It
// records what the client looked up, where it connected and what it sent.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "update/socket_transport.h"

namespace tessaly::testing {

struct ScriptedConnection {
  std::string reply;
  std::vector<std::size_t> pieces;  // sizes, a piece a turn; none: the whole reply at once
  bool refuse = false;              // the connection is refused
  bool reset = false;               // it ends by a reset rather than a close
};

struct Connection {
  std::string host;  // as looked up
  int port = 0;
  std::string sent;  // the request as it went out
};

class ScriptTransport final : public SocketTransport {
 public:
  ScriptTransport(std::vector<ScriptedConnection> script, std::vector<Connection>& log)
      : script_(std::move(script)), log_(log) {}

  bool StartLookup(const std::string& host) override {
    host_ = host;
    return true;  // every host is found at once
  }
  Progress LookupProgress() const override { return Progress::kDone; }
  void CancelLookup() override {}

  void StartConnect(int port) override {
    open_ = false;
    if (next_ >= script_.size() || script_[next_].refuse) {
      connect_ = Progress::kFailed;
      ++next_;
      return;
    }
    current_ = script_[next_++];
    connect_ = Progress::kDone;
    open_ = true;
    released_ = delivered_ = piece_ = 0;
    log_.push_back(Connection{host_, port, {}});
  }
  Progress ConnectProgress() const override { return connect_; }

  std::size_t Send(const char* data, std::size_t size) override {
    if (open_) log_.back().sent.append(data, size);
    return size;
  }
  std::size_t Receive(char* buffer, std::size_t size) override {
    if (!open_) return 0;
    const std::size_t n = std::min(size, released_ - delivered_);
    std::copy_n(current_.reply.data() + delivered_, n, buffer);
    delivered_ += n;
    return n;
  }
  bool Ended() const override { return !open_ || (released_ == current_.reply.size() && delivered_ == released_); }
  bool EndedAbruptly() const override { return Ended() && current_.reset; }
  void Close() override { open_ = false; }

  // The timer fires after a fixed number of turns, so that a wait the script
  // never ends still ends.
  void StartTimer(int) override { timerTurns_ = 0, timing_ = true; }
  void StopTimer() override { timing_ = false; }
  bool TimerFired() const override { return timing_ && timerTurns_ > 1000; }

  bool Turn() override {
    ++timerTurns_;
    if (!open_) return true;
    const std::size_t size = current_.reply.size();
    std::size_t piece = size - released_;
    if (!current_.pieces.empty()) piece = std::max<std::size_t>(1, current_.pieces[piece_++ % current_.pieces.size()]);
    released_ = std::min(size, released_ + piece);
    return true;
  }

 private:
  std::vector<ScriptedConnection> script_;
  std::vector<Connection>& log_;
  std::size_t next_ = 0;
  ScriptedConnection current_;
  std::string host_;
  Progress connect_ = Progress::kPending;
  bool open_ = false;
  std::size_t released_ = 0, delivered_ = 0, piece_ = 0;
  int timerTurns_ = 0;
  bool timing_ = false;
};

}  // namespace tessaly::testing
