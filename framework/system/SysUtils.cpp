#include "framework/system/SysUtils.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

// Position just after the last path delimiter or drive colon (0 when there is none).
size_t FileNameStart(const String& fileName) {
  size_t i = fileName.find_last_of("\\/:");
  return i == String::npos ? 0 : i + 1;
}

[[noreturn]] void RaiseInvalidInteger(const String& s) {
  throw EConvertError(Format("'%s' is not a valid integer value", s));
}

struct ParsedInteger {
  unsigned long long magnitude = 0;
  bool negative = false;
  bool hex = false;
};

}  // namespace

// ---------------------------------------------------------------------------
// Exceptions

void Abort() { throw EAbort("Operation aborted"); }

String SysErrorMessage(uint32_t errorCode) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  String text = length ? String(buffer, length) : String();
  if (buffer) LocalFree(buffer);
  return TrimRight(text);
}

void RaiseLastWin32Error() {
  DWORD code = GetLastError();
  if (code == ERROR_SUCCESS) throw EWin32Error("A call to an OS function failed", code);
  throw EWin32Error(Format("System Error.  Code: %d.\r\n%s", static_cast<int>(code), SysErrorMessage(code)), code);
}

String LoadStrFrom(void* module, unsigned id, const String& fallback) {
  char buffer[1024];
  int length = LoadStringA(static_cast<HINSTANCE>(module), id, buffer, sizeof(buffer));
  return length > 0 ? String(buffer, static_cast<size_t>(length)) : fallback;
}

void RaiseInOutError(uint32_t errorCode) {
  String text = SysErrorMessage(errorCode);
  if (text.empty()) text = Format("I/O error %d", static_cast<int>(errorCode));
  throw EInOutError(text, errorCode);
}

// ---------------------------------------------------------------------------
// Strings

String Trim(const String& s) {
  size_t first = 0, end = s.size();
  while (first < end && IsBlank(s[first])) ++first;
  while (end > first && IsBlank(s[end - 1])) --end;
  return s.substr(first, end - first);
}

String TrimLeft(const String& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

String TrimRight(const String& s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

String LowerCase(const String& s) {
  String r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

String UpperCase(const String& s) {
  String r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

int CompareText(const String& a, const String& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    // Folding to upper case puts "_" and the other characters between 'Z' and 'a' after letters.
    int ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    int cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareStr(const String& a, const String& b) {
  int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

size_t TTextHash::operator()(const String& s) const {
  // FNV-1a over the upper-case letters.
  uint64_t hash = 14695981039346656037ull;
  for (char c : s) hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
  return static_cast<size_t>(hash);
}

String IntToStr(long long value) { return std::to_string(value); }

String IntToHex(unsigned long long value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  String r;
  do {
    r.insert(r.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(r.size()) < digits) r.insert(0, static_cast<size_t>(digits) - r.size(), '0');
  return r;
}

namespace {

// Parses optional blanks, a sign, and decimal digits or "$"/"0x" and hex digits.
// Hex magnitudes may use all 64 bits, since they name a bit pattern.
ParsedInteger ParseInteger(const String& s) {
  // The blanks are passed over in place rather than trimmed into a copy: the form-file reader
  // reads every integer here.
  size_t i = 0, end = s.size();
  while (i < end && IsBlank(s[i])) ++i;
  while (end > i && IsBlank(s[end - 1])) --end;
  ParsedInteger r;
  if (i < end && (s[i] == '+' || s[i] == '-')) r.negative = s[i++] == '-';
  if (i < end && s[i] == '$') {
    r.hex = true;
    ++i;
  } else if (i + 1 < end && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    r.hex = true;
    i += 2;
  }
  if (i >= end) RaiseInvalidInteger(s);
  const unsigned base = r.hex ? 16 : 10;
  const unsigned long long limit = r.negative ? 1ULL << 63 : (r.hex ? ULLONG_MAX : (1ULL << 63) - 1);
  for (; i < end; ++i) {
    char c = AsciiLower(s[i]);
    unsigned digit;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (r.hex && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else RaiseInvalidInteger(s);
    if (r.magnitude > (limit - digit) / base) RaiseInvalidInteger(s);
    r.magnitude = r.magnitude * base + digit;
  }
  return r;
}

}  // namespace

long long StrToInt64(const String& s) {
  ParsedInteger p = ParseInteger(s);
  return static_cast<long long>(p.negative ? 0ULL - p.magnitude : p.magnitude);
}

namespace {

// Whether text (already trimmed) has the shape of a decimal number; strtod alone would also take
// hex, "inf" and "nan", and would stop silently at the first character it does not understand.
bool IsDecimalNumber(const String& text) {
  size_t i = 0, n = text.size();
  auto digits = [&] {
    size_t start = i;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i;
    return i - start;
  };
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < n && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == n;
}

}  // namespace

bool TextToFloat(const String& s, double& value) {
  String text = Trim(s);
  if (!IsDecimalNumber(text)) return false;
  errno = 0;
  double v = std::strtod(text.c_str(), nullptr);
  // ERANGE also reports an underflow to a tiny or zero value, which is a fine answer.
  if (errno == ERANGE && (v == HUGE_VAL || v == -HUGE_VAL)) return false;
  value = v;
  return true;
}

double StrToFloat(const String& s) {
  double value = 0;
  if (!TextToFloat(s, value)) throw EConvertError(Format("'%s' is not a valid floating point value", s));
  return value;
}

int StrToInt(const String& s) {
  ParsedInteger p = ParseInteger(s);
  // Hex text names a 32-bit pattern, so $FFFFFFFF is -1 as in a 32-bit register.
  if (p.hex && !p.negative && p.magnitude <= 0xFFFFFFFFULL) return static_cast<int>(static_cast<uint32_t>(p.magnitude));
  long long v = static_cast<long long>(p.negative ? 0ULL - p.magnitude : p.magnitude);
  if (v < INT_MIN || v > INT_MAX) RaiseInvalidInteger(s);
  return static_cast<int>(v);
}

int StrToIntDef(const String& s, int defaultValue) {
  try {
    return StrToInt(s);
  } catch (const EConvertError&) {
    return defaultValue;
  }
}

// ---------------------------------------------------------------------------
// File names

String ExtractFileName(const String& fileName) { return fileName.substr(FileNameStart(fileName)); }

String ExtractFilePath(const String& fileName) { return fileName.substr(0, FileNameStart(fileName)); }

String ExtractFileDir(const String& fileName) {
  size_t n = FileNameStart(fileName);
  // Keep the delimiter of a root ("C:\", "\") so the result still names that root.
  if (n > 1 && IsPathDelimiter(fileName[n - 1]) && fileName[n - 2] != ':' && !IsPathDelimiter(fileName[n - 2])) --n;
  return fileName.substr(0, n);
}

String ExtractFileExt(const String& fileName) {
  size_t start = FileNameStart(fileName);
  size_t dot = fileName.find_last_of('.');
  if (dot == String::npos || dot < start) return String();
  return fileName.substr(dot);
}

String IncludeTrailingBackslash(const String& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + '\\';
}

String ExcludeTrailingBackslash(const String& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

String ExpandFileName(const String& fileName) {
  char buffer[MAX_PATH * 4];
  char* namePart = nullptr;
  DWORD n = GetFullPathNameA(fileName.c_str(), sizeof buffer, buffer, &namePart);
  if (n == 0 || n >= sizeof buffer) return fileName;
  return String(buffer, n);
}

bool FileExists(const String& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& directory) {
  DWORD attributes = GetFileAttributesA(directory.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFile(const String& fileName) { return DeleteFileA(fileName.c_str()) != 0; }

bool RenameFileReplacing(const String& source, const String& target) {
  // Windows refuses to replace a read-only file; Wine would replace it. Refusing here keeps a
  // protected file protected on both.
  DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool ForceDirectories(const String& directory) {
  String dir = ExcludeTrailingBackslash(directory);
  if (dir.empty() || DirectoryExists(dir)) return !dir.empty();
  String parent = ExtractFilePath(dir);
  // Stop at a drive or a root: there is nothing above it to create.
  if (!parent.empty() && parent != dir + '\\' && ExcludeTrailingBackslash(parent) != dir) {
    String parentDir = ExcludeTrailingBackslash(parent);
    if (!parentDir.empty() && parentDir.back() != ':' && !ForceDirectories(parentDir)) return false;
  }
  return CreateDirectoryA(dir.c_str(), nullptr) != 0 || DirectoryExists(dir);
}

String GetCurrentDir() {
  char buffer[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return (n == 0 || n >= sizeof buffer) ? String() : String(buffer, n);
}

bool SetCurrentDir(const String& directory) { return SetCurrentDirectoryA(directory.c_str()) != 0; }

}  // namespace Tovix
