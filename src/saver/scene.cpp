#include "saver/scene.h"

#include "pictures/picture_file.h"
#include "resources/built_in_pictures.h"
#include "saver/ticker.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {
namespace {

constexpr int kBannerTop = 50;
constexpr int kNameTop = 300;

struct ScreenSize {
  int width;
  int height;
};

// The primary screen, asked afresh at every use: the scene follows it.
ScreenSize MeasureScreen() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Paints a whole canvas black with a solid black brush and the default pen.
void FillBlack(BitmapPicture& canvas, int width, int height) {
  Selection brush(canvas.Dc(), GetStockObject(BLACK_BRUSH));
  Selection pen(canvas.Dc(), GetStockObject(BLACK_PEN));
  Rectangle(canvas.Dc(), 0, 0, width, height);
}

// A source copy from a bitmap, cut to what the source holds.
void CopyClipped(HDC target, BitmapPicture& source, const Blit& wanted) {
  const Blit blit = ClipToSource(wanted, source.Width(), source.Height());
  if (blit.Empty()) return;
  BitBlt(target, blit.destX, blit.destY, blit.width, blit.height, source.Dc(), blit.sourceX,
         blit.sourceY, SRCCOPY);
}

}  // namespace

Scene::Scene() {
  const SaverWindowLayout& layout = SaverLayout();
  for (std::size_t i = 0; i < layout.holderCount; ++i) {
    const SaverHolderData& data = layout.holders[i];
    auto holder = std::make_unique<PictureHolder>(data.layout);
    holder->SetPicture(LoadBuiltInPicture(data.picture));
    holders_.emplace_back(data.part, std::move(holder));
  }
}

PictureHolder& Scene::Part(SaverPart part) {
  for (auto& [role, holder] : holders_) {
    if (role == part) return *holder;
  }
  throw Failure("the stored layout lacks a picture holder");
}

void Scene::Compose() {
  const ScreenSize screen = MeasureScreen();
  PictureHolder& composition = Part(SaverPart::kComposition);
  PictureHolder& banner = Part(SaverPart::kBanner);
  PictureHolder& nameStrip = Part(SaverPart::kNameStrip);
  PictureHolder& wishStrip = Part(SaverPart::kWishStrip);
  composition.SetWidth(screen.width);
  nameStrip.SetWidth(screen.width);
  wishStrip.SetWidth(screen.width);
  composition.SetHeight(screen.height);
  nameStrip.SetHeight(screen.height / 2);
  wishStrip.SetHeight(screen.height / 2);

  BitmapPicture& canvas = composition.Canvas();
  FillBlack(canvas, composition.Width(), composition.Height());

  LoadPictures();

  CopyClipped(
      canvas.Dc(), banner.Canvas(),
      {0, 0, screen.width / 2 - banner.Width() / 2, kBannerTop, banner.Width(), banner.Height()});
  CopyClipped(canvas.Dc(), nameStrip.Canvas(),
              {0, 0, screen.width / 2 - state_.nameWidth / 2, kNameTop, state_.nameWidth,
               state_.nameHeight});
}

void Scene::LoadPictures() {
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
  LoadStrip(Part(SaverPart::kNameStrip), namePicture, state_.nameWidth, state_.nameHeight);
  LoadStrip(Part(SaverPart::kWishStrip), wishPicture, state_.wishWidth, state_.wishHeight);
}

void Scene::LoadStrip(PictureHolder& strip, const std::string& line, int& width, int& height) {
  const ScreenSize screen = MeasureScreen();
  PictureHolder& scratch = Part(SaverPart::kScratch);
  PictureHolder& fallback = Part(SaverPart::kFallback);
  BitmapPicture& canvas = strip.Canvas();
  FillBlack(canvas, screen.width, screen.height / 2);

  std::string path = ResolvePicturePath(line, ExeDir(), SystemLeadBytes());
  if (FileExists(path)) {
    try {
      scratch.SetPicture(LoadPictureFile(path));
      width = scratch.Width();
      height = scratch.Height();
      if (Picture* picture = scratch.GetPicture()) picture->Draw(canvas.Dc(), 0, 0);
      return;
    } catch (const InvalidPicture&) {
      // Whatever cannot be shown gives way to the built-in picture.
    }
  }
  width = fallback.Width();
  height = fallback.Height();
  if (Picture* picture = fallback.GetPicture()) picture->Draw(canvas.Dc(), 0, 0);
}

void Scene::MoveTicker() {
  const ScreenSize screen = MeasureScreen();
  const int bandTop = screen.height - kTickerBandFromBottom;
  BitmapPicture& composition = Part(SaverPart::kComposition).Canvas();
  BitmapPicture& strip = Part(SaverPart::kWishStrip).Canvas();

  const TickerStep step = ComputeTick(state_.tickerX, screen.width, state_.wishWidth);
  // Copies are cut to the strip. What a copy would take from beyond it is
  // black: keeping the old pixels there smears the strip's last columns
  // along the band when the picture is wider than the screen.
  auto copy = [&](const StripCopy& c) {
    const Blit whole{c.sourceX, 0, c.destX, bandTop, c.width, state_.wishHeight};
    const Blit inside = ClipToSource(whole, strip.Width(), strip.Height());
    if (inside.width < whole.width || inside.height < whole.height)
      PatBlt(composition.Dc(), whole.destX, whole.destY, whole.width, whole.height, BLACKNESS);
    CopyClipped(composition.Dc(), strip, whole);
  };
  if (step.leading) copy(step.leadingCopy);
  if (step.next) copy(step.nextCopy);
  state_.tickerX = step.tickerX;
}

void Scene::Present(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  BitmapPicture& composition = Part(SaverPart::kComposition).Canvas();
  WindowDc dc(window);
  if (!dc.Get()) throw Failure("デバイス コンテキストの作成に失敗しました");
  if (composition.BitsPerPixel() != 1) SetStretchBltMode(dc.Get(), COLORONCOLOR);
  StretchBlt(dc.Get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
             composition.Dc(), 0, 0, composition.Width(), composition.Height(), SRCCOPY);
}

void Scene::PaintLayout(HDC dc) {
  for (auto& entry : holders_) {
    if (entry.second->Visible()) entry.second->Paint(dc);
  }
}

}  // namespace zarumo
