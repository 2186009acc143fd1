// The entry's own steps: choose the mode and run it to its end.
#pragma once

namespace zarumo {

// Returns the exit code; failures that escape are the caller's to report.
int RunEntry();

// The top-level error box for a failure that escaped the entry; returns the exit code.
int ReportEscapedFailure() noexcept;

}  // namespace zarumo
