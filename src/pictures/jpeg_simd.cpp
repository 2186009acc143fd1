// libjpeg-turbo picks its SIMD code from CPUID alone. The link routes its
// question through here (--wrap), so that code using the XMM registers runs
// only where the system saves them; MMX and 3DNow! need nothing of it.
#include "system/sse_support.h"

namespace {
// libjpeg-turbo's own flags (simd/jsimd.h, not installed).
constexpr unsigned kSimdSse = 0x04, kSimdSse2 = 0x08, kSimdAvx2 = 0x80;
}  // namespace

extern "C" {
unsigned int __real_jpeg_simd_cpu_support(void);
unsigned int __wrap_jpeg_simd_cpu_support(void);

unsigned int __wrap_jpeg_simd_cpu_support(void) {
  unsigned int found = __real_jpeg_simd_cpu_support();
  if (!zarumo::SseRuns()) found &= ~(kSimdSse | kSimdSse2 | kSimdAvx2);
  return found;
}
}
