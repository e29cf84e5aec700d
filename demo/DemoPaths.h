// Where the demo finds its files, all derived from the folder of the running program. The
// program sits in <root>\Demo\Bin\, and the rest of the distribution beside it:
//
//   <root>\Help\Ferrovane.hlp        the library's help file (absent unless one is provided)
//   <root>\Docs\ReadMe.txt           what the demo shows
//   <root>\Demo\Waves\Sound1.wav     a sample sound for the wave edit and the wave dialog
#pragma once

#include "framework/SysUtils.h"

namespace Tovix {

struct TDemoPaths {
  String ProgramDir;  // with its trailing backslash
  String HelpFile;
  String ReadMeFile;
  String SampleWave;
};

// The paths for a program folder given as the framework's file-path extraction returns it
// ("D:\Lib\Demo\Bin\"); pure, so any folder can be tried.
TDemoPaths DemoPathsFor(const String& programDir);
// The folder of the running program, with its trailing backslash.
String RunningProgramDir();

}  // namespace Tovix
