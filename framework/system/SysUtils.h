// Basic runtime services: strings, exceptions, formatting, conversions and file names.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/system/System.h"

// The base of the module a piece of code is linked into (the linker provides it). The structure
// stays incomplete here; <windows.h> names it IMAGE_DOS_HEADER.
extern "C" struct _IMAGE_DOS_HEADER __ImageBase;

namespace Tovix {

// Text is 8-bit ANSI; lengths and positions count bytes.
using String = std::string;
// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;
// Raw binary data.
using TBytes = std::vector<uint8_t>;

// ---------------------------------------------------------------------------
// Exceptions

// Base of every exception the framework and the library raise; carries the formatted message.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : message_(std::move(message)) {}
  const String& Message() const noexcept { return message_; }
  void SetMessage(const String& message) { message_ = message; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  String message_;
};

// Declares an exception class that adds nothing but its own type.
#define TOVIX_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {                 \
   public:                                   \
    using Base::Base;                        \
  }

// Raised to leave an operation silently; handlers that show errors ignore it.
TOVIX_DECLARE_EXCEPTION(EAbort, Exception);
// A value could not be converted, or a format string does not match its arguments.
TOVIX_DECLARE_EXCEPTION(EConvertError, Exception);

// A file operation failed; ErrorCode is the system error number.
class EInOutError : public Exception {
 public:
  EInOutError(String message, uint32_t errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  uint32_t errorCode_;
};

// A system call failed; ErrorCode is the value GetLastError gave.
class EWin32Error : public Exception {
 public:
  EWin32Error(String message, uint32_t errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  uint32_t errorCode_;
};

[[noreturn]] void Abort();
// A string resource of the given module (an HINSTANCE); fallback when it has no such string.
String LoadStrFrom(void* module, unsigned id, const String& fallback = String());
// A string resource of the module the calling code is linked into (the program, or a DLL such as
// a package), not of the module holding the framework: inline, so that __ImageBase is the caller's.
inline String LoadStr(unsigned id, const String& fallback = String()) {
  return LoadStrFrom(&__ImageBase, id, fallback);
}
// The system's text for an error number, without the trailing line end.
String SysErrorMessage(uint32_t errorCode);
// Raises EWin32Error for the calling thread's last error.
[[noreturn]] void RaiseLastWin32Error();
// Raises EInOutError for a failed file operation, naming the system error.
[[noreturn]] void RaiseInOutError(uint32_t errorCode);

// ---------------------------------------------------------------------------
// Formatting
//
// Format understands "%" [index ":"] ["-"] [width] ["." precision] type, where type is one of
// d u x (hex, upper case) e f g n (thousands separators) p s, width and precision may be "*",
// and "%%" writes a percent sign. Arguments are checked against their directives: a mismatch or
// a missing argument raises EConvertError. User text is only ever an argument, never a format.

class TFormatArg {
 public:
  enum class Kind { Signed, Unsigned, Float, Text, Pointer };

  TFormatArg(int v) : kind_(Kind::Signed), signed_(v) {}
  TFormatArg(long v) : kind_(Kind::Signed), signed_(v) {}
  TFormatArg(long long v) : kind_(Kind::Signed), signed_(v) {}
  TFormatArg(unsigned v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(unsigned long v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(unsigned long long v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(short v) : kind_(Kind::Signed), signed_(v) {}
  TFormatArg(unsigned short v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(unsigned char v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(double v) : kind_(Kind::Float), float_(v) {}
  TFormatArg(float v) : kind_(Kind::Float), float_(v) {}
  TFormatArg(long double v) : kind_(Kind::Float), float_(static_cast<double>(v)) {}
  TFormatArg(char v) : kind_(Kind::Text), text_(1, v) {}
  TFormatArg(const char* v) : kind_(Kind::Text), text_(v ? v : "") {}
  TFormatArg(const String& v) : kind_(Kind::Text), text_(v) {}
  TFormatArg(const void* v) : kind_(Kind::Pointer), unsigned_(reinterpret_cast<uintptr_t>(v)) {}
  TFormatArg(bool) = delete;  // ambiguous in a message: write the text you mean

  Kind GetKind() const { return kind_; }
  long long GetSigned() const { return signed_; }
  unsigned long long GetUnsigned() const { return unsigned_; }
  double GetFloat() const { return float_; }
  const String& GetText() const { return text_; }

 private:
  Kind kind_;
  long long signed_ = 0;
  unsigned long long unsigned_ = 0;
  double float_ = 0;
  String text_;
};

String FormatArgs(const String& format, std::initializer_list<TFormatArg> args);

template <typename... Args>
String Format(const String& format, const Args&... args) {
  return FormatArgs(format, {TFormatArg(args)...});
}

// ---------------------------------------------------------------------------
// Strings

// Trimming removes characters whose code is 32 (space) or lower.
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// Case is folded for the ASCII letters only; all other characters compare by their byte value.
String LowerCase(const String& s);
String UpperCase(const String& s);
// < 0, 0 or > 0 as a sorts before, equal to or after b, ignoring ASCII case.
int CompareText(const String& a, const String& b);
// The same comparison with case, byte by byte.
int CompareStr(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// Hash and equality ignoring ASCII case, for unordered containers keyed by names: a lookup needs
// no upper-case copy.
struct TTextHash {
  size_t operator()(const String& s) const;
};
struct TTextEqual {
  bool operator()(const String& a, const String& b) const { return SameText(a, b); }
};

String IntToStr(long long value);
String IntToHex(unsigned long long value, int digits);
// Accepts optional surrounding blanks, a sign and decimal digits, or "$"/"0x" and hex digits.
// Raises EConvertError "'%s' is not a valid integer value" for anything else or an overflow.
int StrToInt(const String& s);
int StrToIntDef(const String& s, int defaultValue);
long long StrToInt64(const String& s);
// A decimal number with "." as the decimal separator: optional surrounding blanks, a sign, digits
// with at most one ".", and an exponent ("e" or "E", a sign, digits). TextToFloat answers false for
// anything else, also for an overflow, "inf", "nan" and hex; StrToFloat then raises EConvertError
// "'%s' is not a valid floating point value".
bool TextToFloat(const String& s, double& value);
double StrToFloat(const String& s);

// ---------------------------------------------------------------------------
// File names

// The file name after the last "\", "/" or ":".
String ExtractFileName(const String& fileName);
// The drive and directory part with its trailing separator ("C:\dir\").
String ExtractFilePath(const String& fileName);
// The drive and directory part without the trailing separator, except after a drive ("C:\").
String ExtractFileDir(const String& fileName);
// The extension with its leading dot, or an empty string.
String ExtractFileExt(const String& fileName);
String IncludeTrailingBackslash(const String& path);
String ExcludeTrailingBackslash(const String& path);
String ExpandFileName(const String& fileName);
bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
bool DeleteFile(const String& fileName);
// Gives the file source the name target, replacing a file of that name in one step, and returns
// once the data is on disk. False, GetLastError telling why, when it fails; both files are then
// as they were. A read-only target is not replaced (ERROR_ACCESS_DENIED).
bool RenameFileReplacing(const String& source, const String& target);
bool ForceDirectories(const String& directory);
String GetCurrentDir();
bool SetCurrentDir(const String& directory);

}  // namespace Tovix
