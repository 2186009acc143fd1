#include "app/process_values.h"

namespace zarumo {

std::string ModeSwitch;
HWND PreviewParent = nullptr;

}  // namespace zarumo
