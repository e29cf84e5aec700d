// Pictures of the demo: the main form is shown, every page is walked with the Next button, and
// each page is saved as a PNG file (01-introduction.png, 02-tray-icon.png, ...).
#pragma once

#include <vector>

#include "framework/SysUtils.h"

namespace Tovix {

class TFmMain;

// The file name of a page's picture: its position (from 1) and its caption in lower case, with
// each run of other characters than letters and digits made one hyphen.
String PagePictureName(int position, const String& caption);
// Walks the pages of the shown form and saves one picture each into folder (made when missing);
// returns the files' paths in page order.
std::vector<String> SavePagePictures(TFmMain* form, const String& folder);

}  // namespace Tovix
