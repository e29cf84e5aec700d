// The handler of the URL protocol that the OpenUrl test registers: started by the shell as
//   tovix_url_probe.exe <result file> <address>
// it writes the address it received, byte for byte, to the result file. The file appears whole
// (written under another name, then renamed), so the test never reads half of it.
#include <cstdio>
#include <string>

#include "framework/WinApi.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string target = argv[1];
  std::string part = target + ".part";
  FILE* file = std::fopen(part.c_str(), "wb");
  if (!file) return 1;
  std::string address = argv[2];
  bool written = std::fwrite(address.data(), 1, address.size(), file) == address.size();
  if (std::fclose(file) != 0 || !written) return 1;
  return MoveFileExA(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
