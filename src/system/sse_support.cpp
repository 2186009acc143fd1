// Whether SSE code may run.
#include "system/sse_support.h"

#include <windows.h>

#include <cpuid.h>
#include <cstdlib>

// The probe runs under a structured exception frame of its own on fs:0: C++
// catch does not see a processor fault, vectored handlers came with XP, and
// IsProcessorFeaturePresent is missing from 95 and silent about SSE on NT 4.0.
// The handler resumes after the probed instruction with a zero result.
extern "C" {
int zarumo_sse_probe(int undefinedInstead);
extern const char zarumo_sse_probe_resume[];
EXCEPTION_DISPOSITION __cdecl zarumo_sse_probe_handler(EXCEPTION_RECORD* record, void*,
                                                       CONTEXT* context, void*);
}

asm(R"(
    .text
    .globl _zarumo_sse_probe
    .globl _zarumo_sse_probe_resume
_zarumo_sse_probe:
    pushl $_zarumo_sse_probe_handler
    pushl %fs:0
    movl %esp, %fs:0
    movl $1, %eax
    cmpl $0, 12(%esp)
    jne 1f
    xorps %xmm0, %xmm0
    jmp _zarumo_sse_probe_resume
1:  ud2
_zarumo_sse_probe_resume:
    popl %fs:0
    addl $4, %esp
    ret
)");

EXCEPTION_DISPOSITION __cdecl zarumo_sse_probe_handler(EXCEPTION_RECORD* record, void*,
                                                       CONTEXT* context, void*) {
  if (record->ExceptionCode != STATUS_ILLEGAL_INSTRUCTION ||
      (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0) {
    return ExceptionContinueSearch;
  }
  context->Eip = reinterpret_cast<DWORD>(zarumo_sse_probe_resume);
  context->Eax = 0;
  return ExceptionContinueExecution;
}

namespace zarumo {

bool ProbeSse(bool undefinedInstead) noexcept {
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  // __get_cpuid first tests whether the processor has CPUID at all.
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  if ((edx & bit_SSE) == 0 || (edx & bit_FXSAVE) == 0) return false;
  return zarumo_sse_probe(undefinedInstead ? 1 : 0) != 0;
}

bool SseRuns() noexcept {
  static const bool runs = ProbeSse(std::getenv(kSseProbeFaultVariable) != nullptr);
  return runs;
}

}  // namespace zarumo
