#include "resources/saver_layout.h"

namespace zarumo {
namespace {

const SaverHolderData kHolders[] = {
    {SaverPart::kComposition, {8, 48, 105, 49, false, false}, BuiltInPicture::kNone},
    {SaverPart::kBanner, {128, -152, 656, 241, true, true}, BuiltInPicture::kBanner},
    {SaverPart::kNameStrip, {8, 152, 105, 49, true, false}, BuiltInPicture::kNone},
    {SaverPart::kWishStrip, {8, 200, 105, 41, true, false}, BuiltInPicture::kNone},
    {SaverPart::kScratch, {8, 240, 105, 73, true, true}, BuiltInPicture::kNone},
    {SaverPart::kFallback, {112, 232, 201, 101, true, true}, BuiltInPicture::kFallback},
};

const SaverWindowLayout kLayout = {
    "ザルモセーバー", false, true, 0x000000, kHolders, sizeof kHolders / sizeof kHolders[0],
    {false, 100},
};

}  // namespace

const SaverWindowLayout& SaverLayout() { return kLayout; }

}  // namespace zarumo
