#include <cstdio>

#include "utils/Orvutils.h"

int main() {
  std::printf("%s\n", Tovix::StrReplaceAll("Tovix-consumer", "-", " ").c_str());
  return 0;
}
