// Memory in another process, for the messages whose pointers the system does
// not carry across processes (the common controls' own, such as TCM_GETITEM):
// accessibility and test tools read those controls the same way.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tdriver {

class RemoteMemory {
 public:
  // A block of `size` bytes in the process of `window`.
  RemoteMemory(HWND window, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool ok() const { return address_ != nullptr; }
  // The address inside the other process, plus offset, as a message argument.
  LPARAM at(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }
  bool Write(size_t offset, const void* data, size_t size);
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace tdriver
