// Where a picture holder stands in its form, as the stored layout gives it.
#pragma once

namespace zarumo {

struct HolderLayout {
  int left;
  int top;
  int width;
  int height;
  bool visible;
  bool autoSize;
};

}  // namespace zarumo
