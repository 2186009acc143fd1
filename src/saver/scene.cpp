#include "saver/scene.h"

#include <windows.h>

#include "forms/failure.h"
#include "forms/handles.h"
#include "forms/system_text.h"
#include "saver/pictures/picture_file.h"
#include "saver/ssform.h"
#include "saver/ticker.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"

namespace zarumo {

int NameW = 0;
int NameH = 0;
int WishW = 0;
int WishH = 0;
int TickerX = 0;

namespace {

// Paints a whole canvas black with a solid black brush and the default pen.
void FillBlack(BitmapPicture& canvas, int width, int height) {
  Selection brush(canvas.Dc(), GetStockObject(BLACK_BRUSH));
  Selection pen(canvas.Dc(), GetStockObject(BLACK_PEN));
  Rectangle(canvas.Dc(), 0, 0, width, height);
}

// A source copy from a bitmap, cut to what the source holds.
void CopyFrom(HDC target, BitmapPicture& source, Blit blit) {
  blit = ClipToSource(blit, source.Width(), source.Height());
  if (blit.Empty()) return;
  BitBlt(target, blit.destX, blit.destY, blit.width, blit.height, source.Dc(), blit.sourceX,
         blit.sourceY, SRCCOPY);
}

}  // namespace

void TScreenSaverForm::setup() {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  Image0.SetWidth(w);
  Image3.SetWidth(w);
  Image4.SetWidth(w);
  Image0.SetHeight(h);
  Image3.SetHeight(h / 2);
  Image4.SetHeight(h / 2);

  BitmapPicture& composition = Image0.Canvas();
  FillBlack(composition, Image0.Width(), Image0.Height());

  loadbmp();

  BitmapPicture& banner = Image2.Canvas();
  CopyFrom(composition.Dc(), banner,
           {0, 0, w / 2 - Image2.Width() / 2, kBannerTop, Image2.Width(), Image2.Height()});
  CopyFrom(composition.Dc(), Image3.Canvas(), {0, 0, w / 2 - NameW / 2, kNameTop, NameW, NameH});
}

void TScreenSaverForm::loadbmp() {
  std::string namePicture;
  std::string wishPicture;
  SettingsReader reader;
  if (reader.Open()) {
    namePicture = reader.ReadLine();
    wishPicture = reader.ReadLine();
    reader.Close();
  } else {
    namePicture = ExeDir() + kDefaultNamePicture;
    wishPicture = ExeDir() + kDefaultWishPicture;
  }
  LoadStrip(Image3, namePicture, NameW, NameH);
  LoadStrip(Image4, wishPicture, WishW, WishH);
}

void TScreenSaverForm::LoadStrip(PictureHolder& strip, const std::string& line, int& width,
                                 int& height) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  BitmapPicture& canvas = strip.Canvas();
  FillBlack(canvas, w, h / 2);

  std::string path = ResolvePicturePath(line, ExeDir(), SystemLeadBytes());
  if (FileExists(path)) {
    try {
      Image5.SetPicture(LoadPictureFile(path));
      width = Image5.Width();
      height = Image5.Height();
      if (Picture* picture = Image5.GetPicture()) picture->Draw(canvas.Dc(), 0, 0);
      return;
    } catch (const InvalidPicture&) {
      // Whatever cannot be shown gives way to the built-in picture.
    }
  }
  width = Image6.Width();
  height = Image6.Height();
  if (Picture* fallback = Image6.GetPicture()) fallback->Draw(canvas.Dc(), 0, 0);
}

}  // namespace zarumo
