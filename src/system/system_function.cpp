// Functions that some of the systems the saver runs on lack.
#include "system/system_function.h"

#include <algorithm>
#include <vector>

namespace zarumo {
namespace {

std::vector<std::string>& HiddenNames() {
  static std::vector<std::string> names;
  return names;
}

}  // namespace

FARPROC FindSystemFunction(const char* module, const char* name) {
  const auto& hidden = HiddenNames();
  if (std::find(hidden.begin(), hidden.end(), name) != hidden.end()) return nullptr;
  HMODULE loaded = GetModuleHandleA(module);
  return loaded ? GetProcAddress(loaded, name) : nullptr;
}

HiddenSystemFunction::HiddenSystemFunction(std::string name) : name_(std::move(name)) {
  HiddenNames().push_back(name_);
}

HiddenSystemFunction::~HiddenSystemFunction() {
  auto& hidden = HiddenNames();
  auto found = std::find(hidden.begin(), hidden.end(), name_);
  if (found != hidden.end()) hidden.erase(found);
}

bool IsNineXFamily() { return (GetVersion() & 0x80000000u) != 0; }

}  // namespace zarumo
