// What the running system says: its error texts and its code page's lead bytes.
#pragma once

#include <windows.h>

#include <new>
#include <string>

#include "system/failure.h"
#include "system/mixed_text.h"
#include "text/lead_bytes.h"

namespace zarumo {

// The lead bytes of the system's ANSI code page.
const LeadBytes& SystemLeadBytes();

// Lower-cases `length` bytes in place by the rules of the system's code page.
void LowerCaseBySystem(char* text, std::size_t length);

// The system's own text for an error code, without trailing line breaks.
std::string SystemErrorText(DWORD code);

// What running out of memory is reported as: the system's own failure and text.
SystemFailure MemoryFailure();

// A failure's message as the standard handler shows it, with its period: the
// saver's own words and the outside text it may hold, each in its code page.
MixedText ShownMessage(const std::exception& failure);

// For catch blocks: hands `show` the failure being handled as the user is
// told of it, and the address it was raised at. Running out of memory is
// MemoryFailure() at no address; what is no std::exception is null. Whatever
// `show` throws is dropped.
template <typename Show>
void ShowCaughtFailure(Show&& show) noexcept {
  try {
    try {
      throw;
    } catch (const std::bad_alloc&) {
      const SystemFailure failure = MemoryFailure();
      show(&failure, nullptr);
    } catch (const Failure& failure) {
      show(&failure, failure.Address());
    } catch (const std::exception& failure) {
      show(&failure, nullptr);
    } catch (...) {
      show(nullptr, nullptr);
    }
  } catch (...) {
  }
}

// Raises the system failure for GetLastError(), or for `fallbackCode` when that is 0.
[[noreturn]] void RaiseLastError(DWORD fallbackCode = ERROR_GEN_FAILURE);

}  // namespace zarumo
