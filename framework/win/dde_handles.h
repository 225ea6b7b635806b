#pragma once
#include <windows.h>
#include <ddeml.h>

#include <string>

#include "framework/win/handles.h"

namespace tessaly::win {

// An instance of the DDE management library, uninitialised when it goes.
struct DdeInstanceTraits {
  using Handle = DWORD;
  static void Close(DWORD instance) { DdeUninitialize(instance); }
};
struct DdeConversationTraits {
  using Handle = HCONV;
  static void Close(HCONV conversation) { DdeDisconnect(conversation); }
};
// Data that the library handed over (a reply), freed when it goes.
struct DdeDataTraits {
  using Handle = HDDEDATA;
  static void Close(HDDEDATA data) { DdeFreeDataHandle(data); }
};
using UniqueDdeInstance = UniqueHandle<DdeInstanceTraits>;
using UniqueDdeConversation = UniqueHandle<DdeConversationTraits>;
using UniqueDdeData = UniqueHandle<DdeDataTraits>;

// A string handle belongs to the instance that made it and is freed through it.
class DdeStringHandle {
 public:
  DdeStringHandle(DWORD instance, const std::string& text)
      : instance_(instance), handle_(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {}
  ~DdeStringHandle() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  DdeStringHandle(const DdeStringHandle&) = delete;
  DdeStringHandle& operator=(const DdeStringHandle&) = delete;
  // Null when the text cannot be a DDE string (more than 255 characters).
  HSZ Get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

}  // namespace tessaly::win
