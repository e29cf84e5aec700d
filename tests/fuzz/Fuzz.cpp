#include "tests/fuzz/Fuzz.h"

#include <cstdlib>

namespace Tovix::Testing {

int FuzzScale() {
  const char* text = std::getenv("TOVIX_FUZZ_SCALE");
  int scale = text ? std::atoi(text) : 1;
  return scale > 0 ? scale : 1;
}

void FuzzCount::Run(const String& description, const std::function<void()>& input) {
  ++inputs_;
  try {
    input();
  } catch (const Exception& e) {
    ++refused_;
    EXPECT_FALSE(e.Message().empty()) << "an exception without a message: " << description;
  } catch (const std::exception& e) {
    ADD_FAILURE() << "not the framework's exception (" << e.what() << "): " << description;
  } catch (...) {
    ADD_FAILURE() << "an unknown exception: " << description;
  }
}

}  // namespace Tovix::Testing
