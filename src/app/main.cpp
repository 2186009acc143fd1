// The executable's entry point: the whole program runs from here.
#include <windows.h>

#include "app/app_title.h"
#include "app/entry.h"
#include "forms/application.h"
#include "system/executable_path.h"
#include "system/system_text.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    zarumo::Application& application = zarumo::Application::Instance();
    application.Initialize(
        instance, zarumo::ApplicationTitle(zarumo::ExecutablePath(), zarumo::SystemLeadBytes(),
                                           zarumo::LowerCaseBySystem));
    return zarumo::RunEntry();
  } catch (...) {
    return zarumo::ReportEscapedFailure();
  }
}
