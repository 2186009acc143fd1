// Functions that some of the systems the saver runs on lack. They are looked
// up by name when needed instead of imported: the loader of an older system
// refuses a file that imports a function its DLLs do not export.
#pragma once

#include <windows.h>

#include <string>

namespace zarumo {

// The address of `name` in the loaded system module `module`, or null where
// the running system lacks it.
FARPROC FindSystemFunction(const char* module, const char* name);

template <typename Function>
Function SystemFunction(const char* module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(FindSystemFunction(module, name)));
}

// While one exists, FindSystemFunction answers null for `name`, as a system
// without it would: how tests reach the fallbacks.
class HiddenSystemFunction {
 public:
  explicit HiddenSystemFunction(std::string name);
  HiddenSystemFunction(const HiddenSystemFunction&) = delete;
  HiddenSystemFunction& operator=(const HiddenSystemFunction&) = delete;
  ~HiddenSystemFunction();

 private:
  std::string name_;
};

// True on Windows 95, 98 and Me, whose wide-character and some other
// functions are exported but fail.
bool IsNineXFamily();

}  // namespace zarumo
