// Window classes registered once per process.
#include "system/window_class.h"

#include "system/system_text.h"

namespace zarumo {

void RegisterWindowClassOnce(const WNDCLASSA& wc) {
  WNDCLASSA existing{};
  if (GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) return;
  if (!RegisterClassA(&wc)) RaiseLastError();
}

}  // namespace zarumo
