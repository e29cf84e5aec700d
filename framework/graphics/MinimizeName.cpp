#include "framework/graphics/MinimizeName.h"

namespace Tovix {

namespace {

// Replaces the first directory of a directory part ("\a\b\" or "\...\a\b\") by "...":
// "\a\b\" becomes "\...\b\", "\...\b\" becomes "\...\", and a last directory goes entirely.
void CutFirstDirectory(String& dir) {
  if (dir == "\\") {
    dir.clear();
    return;
  }
  bool root = !dir.empty() && dir[0] == '\\';
  if (root) dir.erase(0, 1);
  if (!dir.empty() && dir[0] == '.') dir.erase(0, 4);  // a "...\" put there before
  size_t separator = dir.find('\\');
  if (separator != String::npos) dir = "...\\" + dir.substr(separator + 1);
  else dir.clear();
  if (root) dir.insert(0, "\\");
}

}  // namespace

String MinimizeName(const String& fileName, TCanvas& canvas, int maxWidth) {
  String result = fileName;
  String dir = ExtractFilePath(fileName);
  String name = ExtractFileName(fileName);
  String drive;
  if (dir.size() >= 2 && dir[1] == ':') {
    drive = dir.substr(0, 2);
    dir.erase(0, 2);
  }
  while ((!dir.empty() || !drive.empty()) && canvas.TextWidth(result) > maxWidth) {
    if (dir == "\\...\\") {
      drive.clear();
      dir = "...\\";
    } else if (dir.empty()) {
      drive.clear();
    } else {
      CutFirstDirectory(dir);
    }
    result = drive + dir + name;
  }
  return result;
}

}  // namespace Tovix
