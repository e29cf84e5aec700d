#include "utils/Orvutils.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include <mmsystem.h>
#include <shellapi.h>

#include "framework/Forms.h"
#include "framework/system/ScopeExit.h"
#include "framework/TypInfoBuilder.h"

namespace Tovix {

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// Finds a pattern in linear time (Knuth-Morris-Pratt), so that searching, replacing and
// splitting stay linear in the text whatever the pattern looks like.
class TextFinder {
 public:
  TextFinder(const String& pattern, bool ignoreCase) : pattern_(pattern), ignoreCase_(ignoreCase) {
    if (ignoreCase_)
      for (char& c : pattern_) c = FoldAscii(c);
    failure_.assign(pattern_.size(), 0);
    size_t k = 0;
    for (size_t i = 1; i < pattern_.size(); ++i) {
      while (k > 0 && pattern_[i] != pattern_[k]) k = failure_[k - 1];
      if (pattern_[i] == pattern_[k]) ++k;
      failure_[i] = k;
    }
  }

  // 0-based index of the first match at or after from, or String::npos. Never matches an empty pattern.
  size_t Find(const String& text, size_t from) const {
    if (pattern_.empty()) return String::npos;
    size_t k = 0;
    for (size_t i = from; i < text.size(); ++i) {
      char c = ignoreCase_ ? FoldAscii(text[i]) : text[i];
      while (k > 0 && c != pattern_[k]) k = failure_[k - 1];
      if (c == pattern_[k]) ++k;
      if (k == pattern_.size()) return i + 1 - k;
    }
    return String::npos;
  }

 private:
  String pattern_;
  bool ignoreCase_;
  std::vector<size_t> failure_;
};

// How common a byte is in the texts this library searches (paths, settings, prose): lower is more
// common. Only the order matters.
int Commonness(unsigned char c) {
  if (c == ' ' || c == 'e' || c == 't' || c == 'a' || c == 'o' || c == 'i' || c == 'n' || c == 's' || c == 'r')
    return 4;
  if (c >= 'a' && c <= 'z') return 3;
  if ((c >= '0' && c <= '9') || c == '\\' || c == '/' || c == '.' || c == ';' || c == ':' || c == '_') return 2;
  if (c >= 'A' && c <= 'Z') return 1;
  return 0;
}

// Finds an exact pattern at least as quickly as std::string::find on real text: memchr jumps to
// the next place of the pattern's least common byte, and only there are the pattern's ends and
// then the rest compared. On its own that is quadratic when candidates keep nearly matching
// ('aaa...' searched for 'aa...ab'), so the cost of failed checks is counted, and once it exceeds
// a few times the text passed over, the rest of the search goes to the linear TextFinder. Either
// way the work stays linear in the text.
class ExactFinder {
 public:
  explicit ExactFinder(const String& pattern) : pattern_(pattern) {
    for (size_t i = 1; i < pattern_.size(); ++i)
      if (Commonness(static_cast<unsigned char>(pattern_[i])) <= Commonness(static_cast<unsigned char>(pattern_[rare_])))
        rare_ = i;
  }

  // As TextFinder::Find.
  size_t Find(const String& text, size_t from) {
    if (linear_) return linear_->Find(text, from);
    const size_t m = pattern_.size();
    if (m == 0 || text.size() < m || from > text.size() - m) return String::npos;
    const char* base = text.data();
    const char* last = base + (text.size() - m);  // the last place a match can start
    const char* at = base + from;
    const char rareByte = pattern_[rare_];
    while (at <= last) {
      const char* hit = static_cast<const char*>(std::memchr(at + rare_, rareByte, static_cast<size_t>(last - at) + 1));
      if (!hit) return String::npos;
      at = hit - rare_;
      // The ends first: most candidates fail there without a call.
      if (at[0] == pattern_[0] && at[m - 1] == pattern_[m - 1] && Equal(at, m)) return static_cast<size_t>(at - base);
      ++at;
      failedCost_ += m;
      size_t passed = static_cast<size_t>(at - base);
      if (failedCost_ > 4 * passed + kFailureAllowance) {
        linear_.emplace(pattern_, false);
        return linear_->Find(text, passed);
      }
    }
    return String::npos;
  }

 private:
  // Short patterns, the usual ones, are compared in place: a call costs more than the comparison.
  bool Equal(const char* at, size_t m) const {
    if (m > 32) return std::memcmp(at, pattern_.data(), m) == 0;
    for (size_t i = 1; i + 1 < m; ++i)
      if (at[i] != pattern_[i]) return false;
    return true;
  }

  // Failed comparisons allowed before any text has passed: short texts never pay for the table.
  static constexpr size_t kFailureAllowance = 4096;
  String pattern_;
  size_t rare_ = 0;  // index of the byte memchr looks for
  size_t failedCost_ = 0;
  std::optional<TextFinder> linear_;
};

// The substring from 1-based position p with count n, under the clamped substring rule.
// Positions are 64-bit here so that callers' arithmetic on extreme ints cannot overflow.
String Copy(const String& text, long long p, long long n) {
  if (text.empty() || p > static_cast<long long>(text.size()) || n <= 0) return String();
  if (p < 1) p = 1;
  return text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n));
}

long long Length(const String& text) { return static_cast<long long>(text.size()); }

int InclusiveSpan(int from, int to) {
  return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from) + 1u);
}

// Left-to-right, non-overlapping replacement; the replacement is never scanned again.
template <typename Finder>
String ReplaceFound(const String& text, Finder&& finder, size_t findLength, const String& replacement) {
  String result;
  result.reserve(text.size());
  size_t from = 0;
  for (size_t match = finder.Find(text, from); match != String::npos; match = finder.Find(text, from)) {
    result.append(text.data() + from, match - from);
    result.append(replacement);
    from = match + findLength;
  }
  result.append(text.data() + from, text.size() - from);
  return result;
}

String ReplaceAll(const String& text, const String& find, const String& replacement, bool ignoreCase) {
  if (find.empty()) return text;
  if (ignoreCase) return ReplaceFound(text, TextFinder(find, true), find.size(), replacement);
  return ReplaceFound(text, ExactFinder(find), find.size(), replacement);
}

bool IsInvalidFileNameChar(char c) {
  switch (c) {
    case '"': case '*': case '.': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
      return true;
    default:
      return false;
  }
}

// Makes name + ".txt" in the current directory and removes it again. A file of that name that
// already exists is left alone: it proves the name is usable. A name that opens a device rather
// than a disk file (CON, NUL, COM1, ...) cannot name a file and fails the probe.
bool ProbeFileName(const String& name) {
  String probe = name + ".txt";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  }
  bool isDiskFile = GetFileType(h) == FILE_TYPE_DISK;
  // Closing deletes the probe (it was opened delete-on-close).
  bool closed = CloseHandle(h) != 0;
  return isDiskFile && closed;
}

}  // namespace

// ---------------------------------------------------------------------------
// Conditional values and numbers

int Min(int a, int b) { return a < b ? a : b; }
int Max(int a, int b) { return a > b ? a : b; }
int IntIf(bool condition, int whenTrue, int whenFalse) { return condition ? whenTrue : whenFalse; }
String StrIf(bool condition, const String& whenTrue, const String& whenFalse) { return condition ? whenTrue : whenFalse; }
// Computed in unsigned 32-bit arithmetic, where wrapping is defined: extreme coordinates give the
// wrapped 32-bit value instead of undefined behaviour (Left -2147483648, Right 2147483647 gives 0).
int RectWidth(const TRect& rect) { return InclusiveSpan(rect.left, rect.right); }
int RectHeight(const TRect& rect) { return InclusiveSpan(rect.top, rect.bottom); }

// ---------------------------------------------------------------------------
// Substrings

String StrLeft(const String& text, int count) { return Copy(text, 1, count); }

String StrRight(const String& text, int count) {
  long long from = Length(text) - count + 1;
  return Copy(text, from < 1 ? 1 : from, count);
}

String StrRightFrom(const String& text, int position) { return Copy(text, position, Length(text) - position + 1); }

String StrRightAfter(const String& text, int position) {
  if (position >= Length(text)) return String();
  return Copy(text, static_cast<long long>(position) + 1, Length(text) - position);
}

String StrLeftOfChar(const String& text, char c) { return text.substr(0, text.find(c)); }

String StrRemoveChar(const String& text, int position) {
  if (position < 1 || position > Length(text)) return text;
  return Copy(text, 1, position - 1) + Copy(text, static_cast<long long>(position) + 1, Length(text) - position);
}

String StrRemoveCharRight(const String& text, int count) { return Copy(text, 1, Length(text) - count); }

// ---------------------------------------------------------------------------
// Searching

int StrFindChar(const String& text, char c) {
  size_t i = text.find(c);
  return i == String::npos ? 0 : static_cast<int>(i) + 1;
}

int StrFindCharRight(const String& text, char c) {
  size_t i = text.rfind(c);
  return i == String::npos ? 0 : static_cast<int>(i) + 1;
}

bool StrContains(const String& text, const String& part) { return ExactFinder(part).Find(text, 0) != String::npos; }

int StrCountVowels(const String& text) {
  int count = 0;
  for (char c : text) {
    switch (FoldAscii(c)) {
      case 'a': case 'e': case 'i': case 'o': case 'u':
        ++count;
        break;
      default:
        break;
    }
  }
  return count;
}

int StrSumAllChars(const String& text) {
  // Wraps like a 32-bit register rather than overflowing.
  uint32_t sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return static_cast<int>(sum);
}

// ---------------------------------------------------------------------------
// Building and replacing

String StrRepeat(const String& text, int count) {
  String result;
  if (count <= 0) return result;
  result.reserve(text.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) result += text;
  return result;
}

String StrRemove(const String& text, const String& part) {
  size_t i = ExactFinder(part).Find(text, 0);
  if (i == String::npos) return text;
  return text.substr(0, i) + text.substr(i + part.size());
}

String StrRemoveAllChar(const String& text, char c) {
  String result;
  result.reserve(text.size());
  for (char ch : text)
    if (ch != c) result += ch;
  return result;
}

String StrReplaceAll(const String& text, const String& find, const String& replacement) {
  return ReplaceAll(text, find, replacement, false);
}

String StrReplaceAllNoCase(const String& text, const String& find, const String& replacement) {
  return ReplaceAll(text, find, replacement, true);
}

// ---------------------------------------------------------------------------
// Splitting

int StrParse(const String& text, const String& delimiter, TStrings* list) {
  if (!list) throw EStringListError("MakeStringList method given nil TStringList");
  list->BeginUpdate();
  {
    TScopeExit endUpdate([&] { list->EndUpdate(); });
    list->Clear();
    ExactFinder finder(delimiter);
    size_t from = 0;
    for (size_t match = finder.Find(text, from); match != String::npos; match = finder.Find(text, from)) {
      list->Add(text.substr(from, match - from));
      from = match + delimiter.size();
    }
    if (from < text.size()) list->Add(text.substr(from));
  }
  return list->GetCount();
}

int StrParseCount(const String& text, const String& delimiter) {
  TStringList pieces;
  return StrParse(text, delimiter, &pieces);
}

String StrParseForStringEnding(const String& text, const String& delimiter, const String& ending) {
  TStringList pieces;
  StrParse(text, delimiter, &pieces);
  for (int i = 0; i < pieces.GetCount(); ++i) {
    String piece = pieces.Get(i);
    if (SameText(StrRight(piece, static_cast<int>(ending.size())), ending)) return piece;
  }
  return String();
}

// ---------------------------------------------------------------------------
// Paths and files

String StrParentDir(const String& path) {
  String t = TrimRight(path);
  int p = StrFindCharRight(t, '\\');
  if (p > 0 && p == static_cast<int>(t.size())) {
    t = StrRemoveCharRight(t, 1);
    p = StrFindCharRight(t, '\\');
  }
  return p < 1 ? String() : StrLeft(t, p - 1);
}

String RemoveTrailingBackslash(const String& path) {
  String t = TrimRight(path);
  while (!t.empty() && t.back() == '\\') t.pop_back();
  return t;
}

bool IsFilePath(const String& text) {
  size_t last = text.find_last_of("\\:");
  return last != String::npos && last + 1 < text.size();
}

bool IsFileSyntaxValid(const String& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (IsInvalidFileNameChar(c)) return false;
  return ProbeFileName(name);
}

// ---------------------------------------------------------------------------
// Controls, forms and the shell

namespace {

const char kEllipsis[] = "...";
// The narrowest maximum width StrContinuedText shortens for: an ellipsis and ten digits.
const char kShortestContinuedText[] = "...1234567890";

// Rounds to the nearest integer, an exact half to the even neighbour (as Pascal's Round does).
long long RoundHalfToEven(double value) {
  double lower = std::floor(value);
  double fraction = value - lower;
  long long n = static_cast<long long>(lower);
  if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0)) ++n;
  return n;
}

// How many leading characters of r the next pass of StrContinuedText drops (before it puts the
// ellipsis in front): in proportion to how much r is too wide, at least one besides an ellipsis
// that r already begins with.
int CharactersToDrop(const String& r, int width, int maxWidth) {
  double ratio = static_cast<double>(width) / maxWidth - 1.0;
  long long length = static_cast<long long>(r.size());
  // A count beyond the length is cut to it anyway; cutting first keeps a huge ratio from overflowing.
  long long n = ratio * length >= static_cast<double>(length) ? length : RoundHalfToEven(length * ratio);
  if (r.compare(0, 3, kEllipsis) == 0) {
    if (n == 0) n = 1;
    n += 3;
  } else {
    n += 1;
  }
  return static_cast<int>(n < length ? n : length);
}

}  // namespace

int StrCtrlTextWidth(TWinControl* control, const String& text) {
  TControlCanvas canvas;
  canvas.SetControl(control);
  return canvas.TextWidth(text);
}

String StrContinuedText(const String& text, TWinControl* control, int maxWidth) {
  TControlCanvas canvas;
  canvas.SetControl(control);
  String r = text;
  int width = canvas.TextWidth(r);
  if (width <= maxWidth || maxWidth < canvas.TextWidth(kShortestContinuedText)) return r;
  // Ends at the latest at "..." alone, which is narrower than the maximum; the second condition
  // only guards against a font in which it would not be.
  while (width > maxWidth && r != kEllipsis) {
    r = String(kEllipsis) + StrRightAfter(r, CharactersToDrop(r, width, maxWidth));
    width = canvas.TextWidth(r);
  }
  return r;
}

TCustomForm* GetComponentForm(TComponent* component) {
  return component ? dynamic_cast<TCustomForm*>(component->GetOwner()) : nullptr;
}

HWND GetComponentFormHandle(TComponent* component) {
  TCustomForm* form = GetComponentForm(component);
  return form ? form->GetHandle() : nullptr;
}

void PlayWaveRes(const String& resourceName) {
  static_assert((SND_RESOURCE | SND_ASYNC | SND_NODEFAULT) == 0x40007);
  PlaySoundA(resourceName.c_str(), static_cast<HMODULE>(TovixThisModule()), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

void OpenUrl(const String& address) { ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWDEFAULT); }

}  // namespace Tovix
