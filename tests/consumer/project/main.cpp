// A program of another project. It includes the platform's header first, as many programs do:
// the library's headers must compile after it (its A/W macros such as GetObject included).
#include <windows.h>

#include <cstdio>

#include "controls/Orvtrayicon.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/Classes.h"
#include "framework/ComCtrls.h"
#include "framework/ComObj.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/FileCtrl.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "framework/Mask.h"
#include "framework/Menus.h"
#include "framework/Registry.h"
#include "framework/Spin.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "install/Orvdelphiversions.h"
#include "utils/Orvgraphics.h"
#include "utils/Orvregistry.h"
#include "utils/Orvstream.h"
#include "utils/OrvstreamBuffered.h"
#include "utils/Orvutils.h"

int main() {
  std::printf("%s\n", Tovix::StrReplaceAll("Tovix-consumer", "-", " ").c_str());
  return 0;
}
