#pragma once
#include <windows.h>

#include <utility>

namespace tessaly::win {

// Finds a function of a library that comes with Windows, loading the library
// the first time it is asked for (it then stays loaded, as an imported one
// would). Throws std::runtime_error naming the library and the function, with
// the system's reason, when either cannot be had: the command that needed it
// then ends with the standard error box rather than a crash.
FARPROC FindSystemFunction(const char* library, const char* name);

// A function of a library that only a few commands need, loaded at its first
// call rather than at start: every library mapped at start costs start-up
// time, with all it loads in turn (ole32 brings in a dozen more).
//
// It takes the place of the linker's delay-load imports, which GNU ld 2.40
// builds wrongly for i686: a delay-import stub that the code reaches only
// through its __imp_ pointer (every call declared dllimport by the Windows
// headers) is discarded, its pointer left 0, and the first call jumps to
// address 0. Looking the function up by name works alike on every linker and
// architecture.
//
// Fn is the function's pointer type, taken from the header's declaration with
// decltype, so that a misspelt name or a wrong signature does not compile.
template <typename Fn>
class SystemFunction {
 public:
  constexpr SystemFunction(const char* library, const char* name) : library_(library), name_(name) {}
  SystemFunction(const SystemFunction&) = delete;
  SystemFunction& operator=(const SystemFunction&) = delete;

  template <typename... Args>
  auto operator()(Args&&... args) {
    return Get()(std::forward<Args>(args)...);
  }

  Fn Get() {
    if (!function_)
      // Through void(*)() as the platform's own GetProcAddress idiom: a
      // function pointer cast straight to another type draws a warning.
      function_ = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(FindSystemFunction(library_, name_)));
    return function_;
  }
  const char* Library() const { return library_; }
  const char* Name() const { return name_; }

 private:
  const char* library_;
  const char* name_;
  Fn function_ = nullptr;
};

}  // namespace tessaly::win

// Declares, in the namespace it is used in, a function object with the same
// name and signature as the system function `name` of `library`.
#define TESSALY_SYSTEM_FUNCTION(library, name) \
  inline ::tessaly::win::SystemFunction<decltype(&::name)> name{library, #name};
