#include <windows.h>

#include "app/app_title.h"
#include "app/entry.h"
#include "forms/application.h"
#include "forms/system_text.h"

namespace {

std::string LowerAnsi(std::string text) {
  if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    zarumo::Application& application = zarumo::Application::Instance();
    application.Initialize(
        instance,
        zarumo::ApplicationTitle(application.ExePath(), zarumo::SystemLeadBytes(), LowerAnsi));
    return zarumo::RunEntry();
  } catch (...) {
    return zarumo::ReportEscapedFailure();
  }
}
