// The application title: the executable's file name up to its first ".",
// everything after the first byte lower-cased by `lower` (the system's rules).
#pragma once

#include <algorithm>
#include <string>

#include "forms/lead_bytes.h"
#include "settings/path_delimiter.h"

namespace zarumo {

template <typename Lower>
std::string ApplicationTitle(const std::string& exePath, const LeadBytes& leadBytes, Lower lower) {
  std::string name = FileNamePart(exePath, leadBytes);
  name.resize(std::min(name.find('.'), name.size()));
  if (name.size() > 1) name = name.substr(0, 1) + lower(name.substr(1));
  return name;
}

}  // namespace zarumo
