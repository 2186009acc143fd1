#include "resources/ssform_layout.h"

namespace zarumo {
namespace {

const HolderData kHolders[] = {
    {{"Image0", 8, 48, 105, 49, false, false}, BuiltInPicture::kNone},
    {{"Image2", 128, -152, 656, 241, true, true}, BuiltInPicture::kBanner},
    {{"Image3", 8, 152, 105, 49, true, false}, BuiltInPicture::kNone},
    {{"Image4", 8, 200, 105, 41, true, false}, BuiltInPicture::kNone},
    {{"Image5", 8, 240, 105, 73, true, true}, BuiltInPicture::kNone},
    {{"Image6", 112, 232, 201, 101, true, true}, BuiltInPicture::kFallback},
};

const SaverFormLayout kLayout = {
    "ScreenSaverForm",
    "ザルモセーバー",
    false,
    true,
    0x000000,
    kHolders,
    sizeof kHolders / sizeof kHolders[0],
    {"Timer1", false, 100},
};

}  // namespace

const SaverFormLayout& ScreenSaverFormLayout() { return kLayout; }

}  // namespace zarumo
