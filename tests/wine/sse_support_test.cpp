// The SSE decision in-process: the probe's fault path under its own frame,
// and libjpeg-turbo's choice of SIMD code following the decision. The session
// with ZARUMO_SSE_PROBE_FAULT set runs these and the JPEG tests as on a
// system that never saves the XMM registers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cpuid.h>
#include <cstdlib>

#include "system/sse_support.h"

extern "C" unsigned int __real_jpeg_simd_cpu_support(void);
extern "C" int jsimd_can_idct_float(void);

namespace {

bool ProcessorHasSse() {
  unsigned int eax, ebx, ecx, edx;
  return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & bit_SSE) && (edx & bit_FXSAVE);
}

TEST(SseSupport, ProbeFaultIsCaughtAndItsFrameTakenOff) {
  const unsigned long frames = __readfsdword(0);
  EXPECT_FALSE(zarumo::ProbeSse(true));
  EXPECT_FALSE(zarumo::ProbeSse(true));
  EXPECT_EQ(__readfsdword(0), frames);
  // Wine saves the XMM registers wherever the processor has them.
  EXPECT_EQ(zarumo::ProbeSse(false), ProcessorHasSse());
}

TEST(SseSupport, JpegSimdFollowsTheDecision) {
  const bool faultPath = std::getenv(zarumo::kSseProbeFaultVariable) != nullptr;
  EXPECT_EQ(zarumo::SseRuns(), ProcessorHasSse() && !faultPath);
  // The float IDCT has SSE and SSE2 code, and 3DNow! code that needs nothing
  // of the system (libjpeg-turbo's flags 0x04, 0x08 and 0x02).
  const unsigned int found = __real_jpeg_simd_cpu_support();
  const bool floatSimd = (zarumo::SseRuns() && (found & 0x0C) != 0) || (found & 0x02) != 0;
  EXPECT_EQ(jsimd_can_idct_float() != 0, floatSimd);
}

}  // namespace
