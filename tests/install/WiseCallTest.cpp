// The stand-in installer with setup DLLs built with the library, in-process and as the program.
#include <gtest/gtest.h>

#include "install/Orvwisecall.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScratchFolder.h"

namespace Tovix::Testing {

std::vector<String> WiseFormLines(HWND dialog);

namespace {

// A file built beside the test program.
String BesideTest(const String& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  String folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + name;
}

// The stand-in program, built elsewhere in the tree: its path as Wine sees the build folder.
String WiseCallProgram() {
  String path = "Z:" TOVIX_WISECALL_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Runs a console program with its output going to a file; its exit code and its output.
std::pair<DWORD, String> RunProgram(const String& commandLine, const String& outputFile) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION process{};
  String command = commandLine;
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(output);
  if (!started) return {~0u, "the program did not start"};
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = ~0u;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {code, ScratchFolder::ReadFile(outputFile)};
}

TOrvWiseCallSetup CallOf(const String& dll, const String& function) {
  TOrvWiseCallSetup setup;
  setup.DllPath = BesideTest(dll);
  setup.FunctionName = function;
  setup.MaxVars = 4;
  setup.Variables = {{"MAINDIR", "C:\\App"}, {"GROUP", "Tools"}};
  setup.ParamString = "World";
  return setup;
}

TEST(WiseCall, RunsSetupDllsAsTheInstallerWould) {
  TOrvWiseCallResult result = OrvWiseCall(CallOf("wise_setup_vars.dll", "ChangeVars"));
  EXPECT_TRUE(result.Problems.empty());
  EXPECT_EQ(OrvWiseCallReport(result),
            "Variables after the call: 3\n"
            "  %MAINDIR% = 'C:\\App\\Sub'\n  %GROUP% = 'Tools'\n  %GREETING% = 'Hello World'\n"
            "Changes:\n  changed %MAINDIR%: 'C:\\App' -> 'C:\\App\\Sub'\n  added %GREETING% = 'Hello World'\n");

  result = OrvWiseCall(CallOf("wise_setup_raise.dll", "RaiseAfterChange"));
  EXPECT_EQ(std::vector<String>{"The function raised an exception: TOrvWise.AddVar - Cannot add variable 'MAINDIR' because it already exists."},
            result.Problems);
  EXPECT_EQ((TOrvWiseVariable{"GROUP", "Changed"}), result.After.at(1));

  EXPECT_THROW(OrvWiseCall(CallOf("wise_setup_vars.dll", "NoSuchFunction")), Exception);
  EXPECT_THROW(OrvWiseCall(CallOf("no_such_setup.dll", "ChangeVars")), Exception);
  TOrvWiseCallSetup tooSmall = CallOf("wise_setup_vars.dll", "ChangeVars");
  tooSmall.MaxVars = 1;
  EXPECT_THROW(OrvWiseCall(tooSmall), Exception);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

TEST(WiseCall, ASetupDllShowsTheVariablesFormAndLeavesNoWindowBehind) {
  DialogDriver driver;
  driver.Expect("Wise Parameters").Do([](HWND dialog) {
    EXPECT_EQ((std::vector<String>{"0:  %MAINDIR% = 'C:\\App'", "1:  %GROUP% = 'Tools'"}), WiseFormLines(dialog));
  }).PressKey(VK_ESCAPE);
  TOrvWiseCallResult result = OrvWiseCall(CallOf("wise_setup_show.dll", "ShowVars"));
  EXPECT_TRUE(driver.AllDone());
  EXPECT_TRUE(result.Problems.empty());
  EXPECT_EQ(result.Before, result.After);
  // A window whose class came from the freed DLL would run code that is gone at its next message.
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    char module[MAX_PATH] = {};
    EXPECT_NE(0u, GetModuleFileNameA(reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)), module, MAX_PATH));
  }
}

TEST(WiseCall, TheProgramTakesVariablesFromAFileAndTheCommandLine) {
  ScratchFolder folder;
  String vars = folder.WriteFile("vars.txt", "; installer variables\r\n%MAINDIR%=C:\\App\r\n\r\n");
  String command = Format("\"%s\" --vars \"%s\" --param World --max-vars 3 \"%s\" ChangeVars GROUP=Tools", WiseCallProgram(), vars,
                          BesideTest("wise_setup_vars.dll"));
  std::pair<DWORD, String> run = RunProgram(command, folder.File("output.txt"));
  EXPECT_EQ(0u, run.first) << run.second;
  EXPECT_NE(String::npos, run.second.find("  %GROUP% = 'Tools'\r\n  %GREETING% = 'Hello World'\r\n")) << run.second;
}

}  // namespace
}  // namespace Tovix::Testing
