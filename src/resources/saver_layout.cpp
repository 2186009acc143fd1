// The saver window's stored layout.
#include "resources/saver_layout.h"

namespace zarumo {
namespace {

const SaverHolderData kHolders[] = {
    {SaverHolder::kComposition, {8, 48, 105, 49, false, false}, BuiltInPicture::kNone},
    {SaverHolder::kBanner, {128, -152, 656, 241, true, true}, BuiltInPicture::kBanner},
    {SaverHolder::kNameStrip, {8, 152, 105, 49, true, false}, BuiltInPicture::kNone},
    {SaverHolder::kWishStrip, {8, 200, 105, 41, true, false}, BuiltInPicture::kNone},
    {SaverHolder::kLoading, {8, 240, 105, 73, true, true}, BuiltInPicture::kNone},
    {SaverHolder::kFallback, {112, 232, 201, 101, true, true}, BuiltInPicture::kFallback},
};

const SaverWindowLayout kLayout = {
    "ザルモセーバー",
    kHolders,
    sizeof kHolders / sizeof kHolders[0],
};

}  // namespace

const SaverWindowLayout& SaverLayout() { return kLayout; }

}  // namespace zarumo
