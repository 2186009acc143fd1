// Whether SSE code may run. The processor saying so is not enough: Windows 95
// and NT 4.0 never save the XMM registers, and there the first SSE
// instruction faults as an illegal one.
#pragma once

namespace zarumo {

// The processor has SSE (and FXSR), and one SSE instruction runs without a
// fault. Decided once, at the first call.
bool SseRuns() noexcept;

// The same test afresh. With `undefinedInstead` the probe runs an undefined
// instruction where the SSE one stands: the fault path, for the tests.
bool ProbeSse(bool undefinedInstead) noexcept;

// Set (to anything) in the environment, the decision of SseRuns takes the
// fault path: a way to run the saver as on a system without SSE.
constexpr const char* kSseProbeFaultVariable = "ZARUMO_SSE_PROBE_FAULT";

}  // namespace zarumo
