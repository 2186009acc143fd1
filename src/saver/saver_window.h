// The saver window: full-screen and top-most in show mode, a disabled child of
// the display settings' preview window in preview mode. It shows the scene and
// moves it on every tick; input, or a close request, ends it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/form.h"
#include "saver/cover_window.h"
#include "saver/scene.h"

namespace zarumo {

class SaverWindow : public Form {
 public:
  // Builds the scene for show mode, or, with a preview window, for preview
  // mode; a failure on the way is shown and construction goes on.
  explicit SaverWindow(HWND previewWindow = nullptr);
  ~SaverWindow() override;

  // The creation found the system unusable and the process should end quietly.
  bool EndedDuringCreation() const { return endedDuringCreation_; }

  Scene& GetScene() { return scene_; }
  // The scene is composed and the window ticks once it exists, every
  // kTickInterval ms; false before, after the close and when the scene failed.
  bool Ticking() const { return ticking_; }
  static constexpr UINT kTickInterval = 100;
  // Stops the ticks for good, the window's timer with them if it runs.
  void StopTicks();
  // Where the first mouse movement was seen, in screen coordinates; -1, -1
  // while none has been.
  POINT MouseBaseline() const { return mouseBaseline_; }
  // The black covers of the other monitors, in show mode.
  const std::vector<std::unique_ptr<CoverWindow>>& Covers() const { return covers_; }
  DWORD PlatformId() const { return platformId_; }

  // One tick: moves the ticker and presents the composition.
  void Tick();

 protected:
  void CreateParams(WindowParams& params) override;
  int ShowCommand() const override { return SW_SHOWMAXIMIZED; }
  void FormShow() override;
  bool FormCloseQuery() override;
  void FormClose() override;
  void WindowLost() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool Previewing() const { return previewWindow_ != nullptr; }
  // What the construction does before the system window exists: the size,
  // the cursor, the platform and the scene.
  void PrepareBeforeWindow();
  void OnMouseMove(POINT screen);
  // Makes the covers fit the monitors as they are now.
  void ArrangeCovers();
  void SetInputMethod(bool enabled);
  void SetSaverRunning(bool running);

  HWND previewWindow_;
  Scene scene_;
  bool ticking_ = false;
  // A tick that fails shows its failure in a modal box whose loop keeps
  // dispatching ticks; those are skipped instead of stacking boxes.
  bool inTick_ = false;
  POINT mouseBaseline_{-1, -1};
  std::vector<std::unique_ptr<CoverWindow>> covers_;
  // As the system reports it in show mode; 0 in preview mode.
  DWORD platformId_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool endedDuringCreation_ = false;
  bool saverRunningSet_ = false;
};

}  // namespace zarumo
