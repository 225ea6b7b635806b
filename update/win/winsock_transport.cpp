#include "update/win/winsock_transport.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/win/application.h"
#include "framework/win/window.h"
#include "update/http_error.h"
#include "framework/win/winsock_library.h"
#include "update/win/socket_handle.h"

namespace tessaly::win {

namespace {

constexpr UINT kSocketMessage = WM_USER + 1;
constexpr UINT kLookupMessage = WM_USER + 2;
constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kTurnWaitMs = 2;

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    if (wsock32::WSAStartup(MAKEWORD(1, 1), &data) != 0) throw HttpError("Windows Sockets 1.1 is not available");
  }
  ~WinsockSession() { wsock32::WSACleanup(); }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
};

// The hidden window that receives the notifications. Its messages go through
// the windows' common procedure, which keeps exceptions from crossing it.
class NotifyWindow : public Window {
 public:
  using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp)>;
  explicit NotifyWindow(Handler handler) : handler_(std::move(handler)) {
    CreateParams p;
    p.className = "TSocketClientWindow";
    p.parent = HWND_MESSAGE;
    p.x = p.y = p.width = p.height = 0;
    Create(p);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    return handler_(msg, wp, lp) ? 0 : Window::HandleMessage(msg, wp, lp);
  }

 private:
  Handler handler_;
};

class WinsockTransport final : public SocketTransport {
 public:
  WinsockTransport() : window_([this](UINT m, WPARAM w, LPARAM l) { return Notify(m, w, l); }) {}
  ~WinsockTransport() override {
    Close();
    StopTimer();
    // A lookup the cancel did not reach (it had finished, or the system
    // could not stop it) still writes its buffer: leave those buffers be.
    for (Lookup& l : lookups_) l.buffer.release();
  }

  bool StartLookup(const std::string& host) override {
    CancelLookup();
    unsigned long dotted = host.empty() ? INADDR_NONE : wsock32::inet_addr(host.c_str());
    if (dotted != INADDR_NONE) {
      address_ = dotted;
      lookup_ = Progress::kDone;
      return true;
    }
    Lookup l{nullptr, std::make_unique<char[]>(MAXGETHOSTSTRUCT)};
    l.task = wsock32::WSAAsyncGetHostByName(window_.Handle(), kLookupMessage, host.c_str(), l.buffer.get(), MAXGETHOSTSTRUCT);
    lookup_ = l.task ? Progress::kPending : Progress::kFailed;
    if (l.task) {
      currentTask_ = l.task;
      lookups_.push_back(std::move(l));
    }
    return false;
  }
  Progress LookupProgress() const override { return lookup_; }
  void CancelLookup() override {
    if (lookup_ == Progress::kPending) {
      // Its buffer stays listed until its reply, if one still comes.
      wsock32::WSACancelAsyncRequest(currentTask_);
      lookup_ = Progress::kFailed;
    }
    currentTask_ = nullptr;
  }

  void StartConnect(int port) override {
    Close();
    connect_ = Progress::kFailed;
    readable_ = closeSeen_ = ended_ = abrupt_ = false;
    UniqueSocket s(wsock32::socket(AF_INET, SOCK_STREAM, 0));
    if (!s) return;
    // Closing resets the connection at once instead of lingering over unsent data.
    linger off{1, 0};
    wsock32::setsockopt(s.Get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&off), sizeof(off));
    const long events = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
    if (wsock32::WSAAsyncSelect(s.Get(), window_.Handle(), kSocketMessage, events) != 0) return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = wsock32::htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = address_;
    if (wsock32::connect(s.Get(), reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == SOCKET_ERROR &&
        wsock32::WSAGetLastError() != WSAEWOULDBLOCK)
      return;
    connect_ = Progress::kPending;
    socket_ = std::move(s);
  }
  Progress ConnectProgress() const override { return connect_; }

  std::size_t Send(const char* data, std::size_t size) override {
    if (!socket_) return size;
    int n = wsock32::send(socket_.Get(), data, static_cast<int>(size), 0);
    if (n != SOCKET_ERROR) return static_cast<std::size_t>(n);
    // A broken connection shows in the reads that follow.
    return wsock32::WSAGetLastError() == WSAEWOULDBLOCK ? 0 : size;
  }

  std::size_t Receive(char* buffer, std::size_t size) override {
    if (!socket_ || !readable_) return 0;
    int n = wsock32::recv(socket_.Get(), buffer, static_cast<int>(size), 0);
    if (n > 0) {
      // A short read emptied the socket: the next FD_READ says when more came.
      // After FD_CLOSE none comes, so reading goes on until recv returns 0.
      if (static_cast<std::size_t>(n) < size && !closeSeen_) readable_ = false;
      return static_cast<std::size_t>(n);
    }
    readable_ = false;
    if (n == SOCKET_ERROR && wsock32::WSAGetLastError() == WSAEWOULDBLOCK && !closeSeen_) return 0;
    if (n == SOCKET_ERROR) abrupt_ = true;
    ended_ = true;
    return 0;
  }
  bool Ended() const override { return ended_; }
  bool EndedAbruptly() const override { return abrupt_; }

  void Close() override {
    if (!socket_) return;
    socket_.Reset();
    readable_ = false;
    // Notifications already posted for this socket must not reach the next
    // one, which may get the same handle value. PeekMessage returns a quit
    // message whatever the filter: it is put back for the main loop, or a
    // program that ended during a transfer would go on running.
    MSG m;
    while (PeekMessageA(&m, window_.Handle(), kSocketMessage, kSocketMessage, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
    }
  }

  void StartTimer(int ms) override {
    timerFired_ = false;
    SetTimer(window_.Handle(), kTimerId, static_cast<UINT>(ms), nullptr);
  }
  void StopTimer() override { KillTimer(window_.Handle(), kTimerId); }
  bool TimerFired() const override { return timerFired_; }

  bool Turn() override {
    // Waiting for a message rather than sleeping 2 ms: a notification that
    // arrives is taken at once, so a transfer never idles between blocks.
    if (!readable_) Application::WaitForMessage(kTurnWaitMs);
    return Application::ProcessPendingMessages();
  }

 private:
  struct Lookup {
    HANDLE task;
    std::unique_ptr<char[]> buffer;
  };

  bool Notify(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case kSocketMessage:
        if (socket_ && static_cast<SOCKET>(wp) == socket_.Get()) OnSocketEvent(WSAGETSELECTEVENT(lp), WSAGETSELECTERROR(lp));
        return true;
      case kLookupMessage:
        OnLookupReply(reinterpret_cast<HANDLE>(wp), WSAGETASYNCERROR(lp));
        return true;
      case WM_TIMER:
        if (wp != kTimerId) return false;
        timerFired_ = true;
        KillTimer(window_.Handle(), kTimerId);
        return true;
    }
    return false;
  }

  void OnSocketEvent(int event, int error) {
    switch (event) {
      case FD_CONNECT:
        connect_ = error ? Progress::kFailed : Progress::kDone;
        break;
      case FD_READ:
        readable_ = true;
        break;
      case FD_CLOSE:
        readable_ = closeSeen_ = true;
        if (error) abrupt_ = true;
        break;
    }
  }

  void OnLookupReply(HANDLE task, int error) {
    auto it = std::find_if(lookups_.begin(), lookups_.end(), [&](const Lookup& l) { return l.task == task; });
    if (it == lookups_.end()) return;
    if (task == currentTask_) {
      const auto* host = reinterpret_cast<const hostent*>(it->buffer.get());
      bool found = error == 0 && host->h_length == 4 && host->h_addr_list && host->h_addr_list[0];
      if (found) std::memcpy(&address_, host->h_addr_list[0], 4);
      lookup_ = found ? Progress::kDone : Progress::kFailed;
      currentTask_ = nullptr;
    }
    lookups_.erase(it);
  }

  WinsockSession session_;
  NotifyWindow window_;
  UniqueSocket socket_;
  std::vector<Lookup> lookups_;
  HANDLE currentTask_ = nullptr;
  unsigned long address_ = INADDR_NONE;
  Progress lookup_ = Progress::kFailed;
  Progress connect_ = Progress::kFailed;
  bool readable_ = false;
  bool closeSeen_ = false;
  bool ended_ = false;
  bool abrupt_ = false;
  bool timerFired_ = false;
};

}  // namespace

std::unique_ptr<SocketTransport> CreateWinsockTransport() { return std::make_unique<WinsockTransport>(); }

}  // namespace tessaly::win
