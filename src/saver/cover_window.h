// A black cover over a monitor that the saver window leaves out, in show mode.
// It has no life of its own: its input is the saver's.
#pragma once

#include <windows.h>

#include <functional>

#include "forms/form.h"

namespace zarumo {

// A key or a mouse button: what ends the saver wherever it arrives.
bool IsEndingInput(UINT message);

class CoverWindow : public Form {
 public:
  struct Saver {
    // A key, a button or a close request on the cover.
    std::function<void()> close;
    // The pointer seen at a point in screen coordinates.
    std::function<void(POINT)> pointerAt;
  };

  CoverWindow(const RECT& area, Saver saver);

  const RECT& Area() const { return area_; }
  // Moves the cover over another area, keeping it above the others.
  void MoveTo(const RECT& area);

 protected:
  void CreateParams(WindowParams& params) override;
  int ShowCommand() const override { return SW_SHOWNOACTIVATE; }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  RECT area_;
  Saver saver_;
};

}  // namespace zarumo
