// The scene the saver shows.
#include "saver/scene.h"

#include "forms/display_palette.h"
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

// The primary screen, asked afresh at every use: the scene follows it.
Size MeasureScreen() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Paints a whole canvas black with a solid black brush and the default pen.
void FillBlack(BitmapPicture& canvas, int width, int height) {
  Selection brush(canvas.Dc(), GetStockObject(BLACK_BRUSH));
  Selection pen(canvas.Dc(), GetStockObject(BLACK_PEN));
  Rectangle(canvas.Dc(), 0, 0, width, height);
}

// A source copy from a bitmap, cut to what the source holds.
void CopyClipped(HDC target, BitmapPicture& source, const Blit& wanted) {
  const Blit blit = ClipToSource(wanted, {source.Width(), source.Height()});
  if (blit.source.Empty()) return;
  BitBlt(target, blit.destX, blit.destY, blit.source.width, blit.source.height, source.Dc(),
         blit.source.left, blit.source.top, SRCCOPY);
}

}  // namespace

Scene::Scene() {
  const SaverWindowLayout& layout = SaverLayout();
  for (std::size_t i = 0; i < layout.holderCount; ++i) {
    const SaverHolderData& data = layout.holders[i];
    auto holder = std::make_unique<PictureHolder>(data.layout);
    holder->SetPicture(LoadBuiltInPicture(data.picture));
    holders_.emplace_back(data.role, std::move(holder));
  }
}

PictureHolder& Scene::Holder(SaverHolder role) {
  for (auto& [held, holder] : holders_) {
    if (held == role) return *holder;
  }
  throw Failure("the stored layout lacks a picture holder");
}

void Scene::Compose() {
  const Size screen = MeasureScreen();
  PictureHolder& composition = Holder(SaverHolder::kComposition);
  PictureHolder& banner = Holder(SaverHolder::kBanner);
  PictureHolder& nameStrip = Holder(SaverHolder::kNameStrip);
  PictureHolder& wishStrip = Holder(SaverHolder::kWishStrip);
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
      {{0, 0, banner.Width(), banner.Height()}, screen.width / 2 - banner.Width() / 2, kBannerTop});
  CopyClipped(canvas.Dc(), nameStrip.Canvas(),
              {{0, 0, strips_.name.width, strips_.name.height},
               screen.width / 2 - strips_.name.width / 2,
               kNameTop});
}

void Scene::LoadPictures() {
  PictureSettings settings;
  ReadPictureSettings(settings);
  LoadStrip(Holder(SaverHolder::kNameStrip), settings.name->path, strips_.name);
  LoadStrip(Holder(SaverHolder::kWishStrip), settings.wish->path, strips_.wish);
}

void Scene::LoadStrip(PictureHolder& strip, const std::string& line, Size& shown) {
  const Size screen = MeasureScreen();
  PictureHolder& loading = Holder(SaverHolder::kLoading);
  PictureHolder& fallback = Holder(SaverHolder::kFallback);
  BitmapPicture& canvas = strip.Canvas();
  FillBlack(canvas, screen.width, screen.height / 2);

  std::string path = ResolvePicturePath(line, ExeDir(), SystemLeadBytes());
  if (FileExists(path)) {
    try {
      loading.SetPicture(LoadPictureFile(path));
      shown = {loading.Width(), loading.Height()};
      if (Picture* picture = loading.GetPicture()) picture->Draw(canvas.Dc(), 0, 0);
      return;
    } catch (const InvalidPicture&) {
      // Whatever cannot be shown gives way to the built-in picture.
    } catch (const OpenFailure&) {
      // A "?" stands for a character the code page lost: the search took it
      // as a wildcard and found some file, but the name names none. Missing,
      // not locked.
      if (path.find('?') == std::string::npos) throw;
    }
  }
  shown = {fallback.Width(), fallback.Height()};
  if (Picture* picture = fallback.GetPicture()) picture->Draw(canvas.Dc(), 0, 0);
}

void Scene::MoveTicker() {
  const Size screen = MeasureScreen();
  const int bandTop = screen.height - kTickerBandFromBottom;
  BitmapPicture& composition = Holder(SaverHolder::kComposition).Canvas();
  BitmapPicture& strip = Holder(SaverHolder::kWishStrip).Canvas();

  const TickerStep step = ComputeTick(tickerX_, screen.width, strips_.wish.width);
  // Copies are cut to the strip. What a copy would take from beyond it is
  // black: keeping the old pixels there smears the strip's last columns
  // along the band when the picture is wider than the screen.
  auto copy = [&](const StripCopy& c) {
    const Blit whole{{c.sourceX, 0, c.width, strips_.wish.height}, c.destX, bandTop};
    const Blit inside = ClipToSource(whole, {strip.Width(), strip.Height()});
    if (inside.source.width < whole.source.width || inside.source.height < whole.source.height)
      PatBlt(composition.Dc(), whole.destX, whole.destY, whole.source.width, whole.source.height,
             BLACKNESS);
    CopyClipped(composition.Dc(), strip, whole);
  };
  if (step.leading) copy(step.leadingCopy);
  if (step.next) copy(step.nextCopy);
  tickerX_ = step.tickerX;
}

void Scene::Present(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  BitmapPicture& composition = Holder(SaverHolder::kComposition).Canvas();
  WindowDc dc(window);
  if (!dc.Get()) throw Failure("デバイス コンテキストの作成に失敗しました");
  PaletteSelection palette(dc.Get(), DisplayPalette());
  if (composition.BitsPerPixel() != 1) SetStretchBltMode(dc.Get(), COLORONCOLOR);
  StretchBlt(dc.Get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
             composition.Dc(), 0, 0, composition.Width(), composition.Height(), SRCCOPY);
}

void Scene::PaintLayout(HDC dc) {
  PaletteSelection palette(dc, DisplayPalette());
  for (auto& entry : holders_) {
    if (entry.second->Visible()) entry.second->Paint(dc);
  }
}

}  // namespace zarumo
