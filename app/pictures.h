// The program's own pictures: the logo banner and the four tray icons.
#pragma once
#include "ui/image.h"

namespace app {

// 270 x 56.
ui::Bitmap LogoPicture();

enum class LinkPicture { Scanning, Bad, Poor, Good };
// 32 x 32; the bottom-left pixel's colour stands for "transparent".
ui::Bitmap TrayPicture(LinkPicture kind);

}  // namespace app
