// Window classes registered once per process.
#include "system/window_class.h"

#include "system/system_text.h"
#include "system/window_text.h"

namespace zarumo {

void RegisterWindowClassOnce(const WNDCLASSA& wc) {
  WNDCLASSA existing{};
  if (GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) return;
  if (!RegisterTextWindowClass(wc)) RaiseLastError();
}

}  // namespace zarumo
