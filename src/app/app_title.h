// The application title: the executable's file name up to its first ".",
// everything after its first character lower-cased by `lower` (the system's
// rules); a double-byte first character stays whole.
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
  const std::size_t rest = leadBytes.Next(name, 0);
  if (rest < name.size()) name = name.substr(0, rest) + lower(name.substr(rest));
  return name;
}

}  // namespace zarumo
