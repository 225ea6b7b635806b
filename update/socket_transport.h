#pragma once
#include <cstddef>
#include <string>

namespace tessaly {

// The platform side of one client connection: host lookup, a non-blocking
// stream socket, a timer, and turns of the message loop that deliver their
// notifications. Every call returns at once; progress shows after Turn.
class SocketTransport {
 public:
  enum class Progress { kPending, kDone, kFailed };

  virtual ~SocketTransport() = default;

  // Starts finding the address of a host. A dotted address needs no lookup:
  // the lookup is then done at once and the call returns true.
  virtual bool StartLookup(const std::string& host) = 0;
  virtual Progress LookupProgress() const = 0;
  virtual void CancelLookup() = 0;

  // Opens a new socket and starts connecting it to the address found last.
  virtual void StartConnect(int port) = 0;
  virtual Progress ConnectProgress() const = 0;
  // Hands bytes to the connection and returns how many it took: 0 when it
  // would block. A connection that broke takes everything (and has ended).
  virtual std::size_t Send(const char* data, std::size_t size) = 0;
  // Up to size bytes of what has arrived; 0 when nothing is waiting.
  virtual std::size_t Receive(char* buffer, std::size_t size) = 0;
  // The peer closed the connection and everything it sent was received.
  virtual bool Ended() const = 0;
  // It ended by a reset or an error rather than an orderly close.
  virtual bool EndedAbruptly() const = 0;
  // Closes the socket; nothing of it is delivered afterwards.
  virtual void Close() = 0;

  // One timer at a time: TimerFired turns true once ms have passed.
  virtual void StartTimer(int ms) = 0;
  virtual void StopTimer() = 0;
  virtual bool TimerFired() const = 0;

  // Waits for a message (2 ms at most) and runs the message loop: the
  // program's windows, timers and the socket notifications all go on. False
  // once the program is ending (its quit message waits for the main loop).
  virtual bool Turn() = 0;
};

}  // namespace tessaly
