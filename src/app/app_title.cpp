// The application title, the caption of every failure box.
#include "app/app_title.h"

#include <algorithm>

#include "text/path_delimiter.h"

namespace zarumo {

std::string ApplicationTitle(const std::string& exePath, const LeadBytes& leadBytes,
                             LowerCase lower) {
  std::string name = FileNamePart(exePath, leadBytes);
  name.resize(std::min(name.find('.'), name.size()));
  const std::size_t rest = leadBytes.Next(name, 0);
  if (rest < name.size()) lower(&name[rest], name.size() - rest);
  return name;
}

}  // namespace zarumo
