#include "tests/support/Mutator.h"

#include <algorithm>

namespace Tovix::Testing {

uint32_t Mutator::Below(uint32_t n) {
  return n == 0 ? 0 : std::uniform_int_distribution<uint32_t>(0, n - 1)(random_);
}

String Mutator::RandomBytes(size_t count) {
  String bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(Below(256));
  return bytes;
}

String Mutator::Mutate(const String& sample, int maxChanges) {
  String text = sample;
  int changes = 1 + static_cast<int>(Below(static_cast<uint32_t>(std::max(maxChanges, 1))));
  for (int i = 0; i < changes; ++i) {
    switch (Below(7)) {
      case 0: text = Cut(text); break;
      case 1: text = Duplicate(text); break;
      case 2: text = FlipBytes(text); break;
      case 3: text = HugeNumber(text); break;
      case 4: text = Punctuation(text); break;
      case 5: text = Truncate(text); break;
      default: text = RepeatLine(text); break;
    }
  }
  return text;
}

String Mutator::Cut(const String& text) {
  size_t from = Place(text);
  size_t count = Below(static_cast<uint32_t>(std::min<size_t>(text.size() - from, 64)) + 1);
  return String(text).erase(from, count);
}

String Mutator::Duplicate(const String& text) {
  size_t from = Place(text);
  String piece = text.substr(from, Below(200));
  return String(text).insert(Place(text), piece);
}

String Mutator::FlipBytes(const String& text) {
  String result = text;
  if (result.empty()) return result;
  for (uint32_t n = 1 + Below(8); n > 0; --n) result[Below(static_cast<uint32_t>(result.size()))] = static_cast<char>(Below(256));
  return result;
}

String Mutator::HugeNumber(const String& text) {
  static const char* const numbers[] = {"99999999999999999999", "2147483648", "-2147483649", "4294967296",
                                        "-9223372036854775809", "1e400", "$FFFFFFFFFFFF", "0x7FFFFFFF",
                                        "1.7976931348623157e309", "-0"};
  String number = numbers[Below(10)];
  size_t at = text.find('=', Place(text));
  if (at == String::npos || Below(3) == 0) return String(text).insert(Place(text), number);
  // Replace the value after the '=' up to the line end.
  size_t end = text.find_first_of("\r\n", at);
  if (end == String::npos) end = text.size();
  return String(text).replace(at + 1, end - at - 1, " " + number);
}

String Mutator::Punctuation(const String& text) {
  static const char* const marks[] = {"'", "(", ")", "{", "}", "[", "]", "<", ">", "#", "#0", "#999", "+",
                                      ".", ",", "=", "\r", "\n", "\r\n", " end", " object", "\t"};
  String mark = Below(8) == 0 ? String(1, '\0') : String(marks[Below(22)]);
  return String(text).insert(Place(text), mark);
}

String Mutator::Truncate(const String& text) { return text.substr(0, Place(text)); }

String Mutator::RepeatLine(const String& text) {
  size_t at = Place(text);
  size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
  start = (start == String::npos || at == 0) ? 0 : start + 1;
  size_t end = text.find('\n', start);
  end = end == String::npos ? text.size() : end + 1;
  String line = text.substr(start, end - start);
  String repeated;
  for (uint32_t n = 2 + Below(64); n > 0; --n) repeated += line;
  return String(text).replace(start, end - start, repeated);
}

}  // namespace Tovix::Testing
