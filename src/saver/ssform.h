// The saver window: full-screen and top-most in show mode, a disabled child of
// the display settings' preview window in preview mode.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/form.h"
#include "forms/picture_holder.h"
#include "forms/timer.h"

namespace zarumo {

class TScreenSaverForm : public Form {
  // Holders in creation order; declared first so the named references below can point into it.
  std::vector<std::unique_ptr<PictureHolder>> holders_;

 public:
  // Builds the stored layout, then runs the creation handler; a failure in it
  // is shown and construction goes on.
  TScreenSaverForm();
  ~TScreenSaverForm() override;

  // The creation handler found the system unusable and the process should end quietly.
  bool EndedDuringCreation() const { return endedDuringCreation_; }

  PictureHolder& Image0;
  PictureHolder& Image2;
  PictureHolder& Image3;
  PictureHolder& Image4;
  PictureHolder& Image5;
  PictureHolder& Image6;
  Timer Timer1;

  // The timer's tick: moves the ticker and presents the composition.
  void Timer1Timer();

  int LastMouseX = -1;
  int LastMouseY = -1;
  DWORD PlatformId = 0;

 protected:
  void CreateParams(WindowParams& params) override;
  int ShowCommand() const override { return SW_SHOWMAXIMIZED; }
  void FormShow() override;
  bool FormCloseQuery() override;
  void FormClose() override;
  void WindowLost() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static std::vector<std::unique_ptr<PictureHolder>> BuildHolders();
  PictureHolder& Holder(const char* name);

  void FormCreate();
  void FormKeyDown();
  void FormMouseDown();
  void FormMouseMove(int x, int y);
  void PaintLayout(HDC dc);
  void SetInputMethod(bool enabled);
  void SetSaverRunning(bool running);

  // Scene composition and the ticker.
  void setup();
  void loadbmp();
  void LoadStrip(PictureHolder& strip, const std::string& line, int& width, int& height);
  void movchr();

  int width_ = 0;
  int height_ = 0;
  bool endedDuringCreation_ = false;
  bool saverRunningSet_ = false;
};

}  // namespace zarumo
