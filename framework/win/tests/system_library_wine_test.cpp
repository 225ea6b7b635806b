// Functions of libraries loaded at their first call: found through the real
// loader, the library mapped only when first asked for, and a missing library
// or function reported by name rather than called.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/win/comdlg_library.h"
#include "framework/win/ole_library.h"
#include "framework/win/system_library.h"
#include "framework/win/winsock_library.h"

namespace {

using tessaly::win::SystemFunction;

// These tests link none of the four libraries, so a module mapped now was
// mapped by the first call.
TEST(SystemLibraryOnWine, LibraryIsMappedAtTheFirstCallAndTheCallWorks) {
  ASSERT_EQ(GetModuleHandleA("wsock32.dll"), nullptr) << "mapped before any call";
  EXPECT_EQ(tessaly::win::wsock32::htons(static_cast<u_short>(0x1234)), 0x3412);
  EXPECT_NE(GetModuleHandleA("wsock32.dll"), nullptr);
  EXPECT_EQ(tessaly::win::wsock32::inet_addr("127.0.0.1"), 0x0100007Fu);  // network order, read little-endian

  BSTR text = tessaly::win::oleaut32::SysAllocStringLen(L"abc", 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::wstring(text), L"abc");
  tessaly::win::oleaut32::SysFreeString(text);
}

TEST(SystemLibraryOnWine, EveryFunctionOfTheProgramsLibrariesIsFound) {
  using namespace tessaly::win;
  // Get() throws for a function its library does not export.
  EXPECT_NO_THROW({
    ole32::CoInitialize.Get();
    ole32::CoUninitialize.Get();
    ole32::CoCreateInstance.Get();
    oleaut32::SysAllocStringLen.Get();
    oleaut32::SysFreeString.Get();
    oleaut32::VariantInit.Get();
    oleaut32::VariantClear.Get();
    comdlg32::GetOpenFileNameW.Get();
    wsock32::WSAStartup.Get();
    wsock32::WSACleanup.Get();
    wsock32::WSAGetLastError.Get();
    wsock32::WSAAsyncGetHostByName.Get();
    wsock32::WSACancelAsyncRequest.Get();
    wsock32::WSAAsyncSelect.Get();
    wsock32::socket.Get();
    wsock32::setsockopt.Get();
    wsock32::connect.Get();
    wsock32::send.Get();
    wsock32::recv.Get();
    wsock32::closesocket.Get();
  });
}

TEST(SystemLibraryOnWine, MissingLibraryOrFunctionIsReportedByName) {
  SystemFunction<decltype(&::GetTickCount)> noLibrary("tessaly-no-such.dll", "GetTickCount");
  try {
    noLibrary();
    FAIL() << "called a function of a library that does not exist";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot load tessaly-no-such.dll"), std::string::npos) << e.what();
  }
  SystemFunction<decltype(&::GetTickCount)> noFunction("kernel32.dll", "TessalyNoSuchFunction");
  try {
    noFunction();
    FAIL() << "called a function that the library does not export";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot find TessalyNoSuchFunction in kernel32.dll"), std::string::npos)
        << e.what();
  }
}

}  // namespace
