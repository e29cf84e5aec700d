#include "demo/DemoPaths.h"

#include "framework/WinApi.h"
#include "utils/Orvutils.h"

namespace Tovix {

TDemoPaths DemoPathsFor(const String& programDir) {
  String parent = StrParentDir(programDir);
  String root = StrParentDir(parent);
  return TDemoPaths{programDir, root + "\\Help\\Ferrovane.hlp", root + "\\Docs\\ReadMe.txt",
                    parent + "\\Waves\\Sound1.wav"};
}

String RunningProgramDir() {
  // Long paths are not expected for a demo; a truncated name still yields a usable folder.
  char name[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
  return ExtractFilePath(String(name, length));
}

}  // namespace Tovix
