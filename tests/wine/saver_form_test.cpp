// The saver window built inside the driver's process, where its holders and
// its composition can be read directly.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/process_values.h"
#include "saver/scene.h"
#include "saver/ssform.h"
#include "support/saver_process.h"

using namespace wt;
using zarumo::TScreenSaverForm;

namespace {

COLORREF PixelAt(zarumo::PictureHolder& holder, int x, int y) {
  return GetPixel(holder.Canvas().Dc(), x, y);
}

// Counts the pixels of a rectangle that are not black.
int Lit(HDC dc, int left, int top, int right, int bottom) {
  int lit = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) lit += (GetPixel(dc, x, y) & 0xFFFFFF) != 0;
  return lit;
}

class SaverFormInProcess : public ::testing::Test {
 protected:
  SaverFormInProcess() { DeleteFileA((DriverDir() + "ザルモ.ini").c_str()); }
  ~SaverFormInProcess() override {
    // Show mode hid the cursor of this process.
    ShowCursor(TRUE);
  }
};

TEST_F(SaverFormInProcess, LayoutHoldersAndSceneWithoutPictures) {
  TScreenSaverForm form;
  EXPECT_FALSE(form.EndedDuringCreation());
  // What the stored layout and the built-in pictures give.
  EXPECT_EQ(form.Image2.Width(), 656);
  EXPECT_EQ(form.Image2.Height(), 241);
  EXPECT_EQ(form.Image6.Width(), 201);
  EXPECT_EQ(form.Image6.Height(), 101);
  EXPECT_EQ(form.Image5.Width(), 105);
  EXPECT_EQ(form.Image5.Height(), 73);
  EXPECT_EQ(form.Image5.GetPicture(), nullptr);
  EXPECT_FALSE(form.Image0.Visible());
  EXPECT_TRUE(form.Image2.Visible() && form.Image3.Visible() && form.Image6.Visible());
  EXPECT_EQ(form.Image2.Left(), 128);
  EXPECT_EQ(form.Image2.Top(), -152);
  EXPECT_TRUE(form.Timer1.Enabled());
  EXPECT_EQ(form.Timer1.Interval(), 100u);
  EXPECT_EQ(form.LastMouseX, -1);
  EXPECT_EQ(form.PlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));

  // The scene: sizes set by the composition, the fallback in both strips.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(form.Image0.Width(), w);
  EXPECT_EQ(form.Image0.Height(), h);
  EXPECT_EQ(form.Image3.Height(), h / 2);
  EXPECT_EQ(form.Image4.Width(), w);
  EXPECT_EQ(zarumo::NameW, 201);
  EXPECT_EQ(zarumo::NameH, 101);
  EXPECT_EQ(zarumo::WishW, 201);
  EXPECT_EQ(zarumo::WishH, 101);

  HDC composition = form.Image0.Canvas().Dc();
  const int bannerLeft = w / 2 - 328;
  // The banner's lettering fills 18..636 x 17..220 of it; its margins stay black.
  EXPECT_GT(Lit(composition, bannerLeft + 18, 50 + 17, bannerLeft + 637, 50 + 221), 20000);
  EXPECT_EQ(Lit(composition, 0, 0, w, 50 + 17), 0);
  EXPECT_EQ(Lit(composition, 0, 50, bannerLeft + 18, 300), 0);
  // The fallback's exclamation mark (77..105 x 21..74) at the name's place.
  const int nameLeft = w / 2 - 100;
  EXPECT_EQ(GetPixel(composition, nameLeft + 90, 300 + 50) & 0xFFFFFF, RGB(255, 0, 0));
  EXPECT_EQ(Lit(composition, nameLeft, 300, nameLeft + 201, 300 + 101),
            Lit(form.Image6.Canvas().Dc(), 0, 0, 201, 101));
  EXPECT_EQ(Lit(composition, 0, 50 + 241, w, 300), 0);
  EXPECT_EQ(Lit(composition, 0, 401, w, h), 0);
  // The wish strip holds the fallback at its top-left corner, black elsewhere.
  EXPECT_EQ(PixelAt(form.Image4, 90, 50) & 0xFFFFFF, RGB(255, 0, 0));
  EXPECT_EQ(Lit(form.Image4.Canvas().Dc(), 201, 0, w, h / 2), 0);
}

}  // namespace
