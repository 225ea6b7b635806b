#pragma once
#include <windows.h>
#include <oleauto.h>

#include "framework/win/handles.h"
#include "framework/win/ole_library.h"

namespace tessaly::win {

// A counted reference to a component object, released once when it goes.
template <typename T>
struct ComTraits {
  using Handle = T*;
  static void Close(T* object) { object->Release(); }
};
template <typename T>
using ComPtr = UniqueHandle<ComTraits<T>>;

struct BstrTraits {
  using Handle = BSTR;
  static void Close(BSTR text) { oleaut32::SysFreeString(text); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

// A VARIANT that is cleared (its string or reference freed) when it goes.
class UniqueVariant {
 public:
  UniqueVariant() { oleaut32::VariantInit(&value_); }
  ~UniqueVariant() { oleaut32::VariantClear(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  VARIANT* Get() { return &value_; }

 private:
  VARIANT value_;
};

}  // namespace tessaly::win
