// The open dialog's file-type list as the system takes it.
#include "setup/file_filter.h"

namespace zarumo {

std::string FilterList(const std::string& filter, const LeadBytes& leadBytes) {
  std::string list;
  list.reserve(filter.size() + 2);
  for (std::size_t pos = 0; pos < filter.size();) {
    std::size_t next = leadBytes.Next(filter, pos);
    if (next == pos + 1 && filter[pos] == '|') {
      list.push_back('\0');
    } else {
      list.append(filter, pos, next - pos);
    }
    pos = next;
  }
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

}  // namespace zarumo
