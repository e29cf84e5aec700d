// Start-up of TovixDemo against a bare Win32 program that shows one window: the time from
// creating the process until its window is shown and the program waits for input (it signals a
// named event then, and closes). Both programs run in turn, several times each.
#include <cstdio>

#include "bench/BenchTimer.h"
#include "framework/SysUtils.h"
#include "framework/WinApi.h"

namespace {

using namespace Tovix;

String OwnFolder() {
  char name[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
  return ExtractFilePath(String(name, length));
}

// Seconds from the process's creation to its signal; the process's closing is not counted.
double SecondsToIdle(const String& program) {
  static int run = 0;
  String eventName = Format("TovixStartupProbe-%u-%d", GetCurrentProcessId(), ++run);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  if (!ready) RaiseLastWin32Error();
  String commandLine = "\"" + program + "\" --startup-probe " + eventName;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(ready);
    RaiseLastWin32Error();
  }
  DWORD signalled = WaitForSingleObject(ready, 60000);
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(ready);
  if (signalled != WAIT_OBJECT_0) throw Exception(Format("%s did not become idle within a minute", program));
  return took.count();
}

}  // namespace

int main() {
  try {
    String folder = OwnFolder();
    String demo = folder + "..\\stage\\Demo\\Bin\\TovixDemo.exe";
    String bare = folder + "bare_window.exe";
    // One start of each first, so that neither pays for loading the system's libraries from disk.
    SecondsToIdle(bare);
    SecondsToIdle(demo);
    Bench::Comparison timing;
    for (int i = 0; i < 9; ++i) {
      timing.baseline.seconds.push_back(SecondsToIdle(bare));
      timing.routine.seconds.push_back(SecondsToIdle(demo));
    }
    Bench::Report("TovixDemo start-up vs a bare window", timing);
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "bench_demo_startup: %s\n", e.Message().c_str());
    return 1;
  }
}
