#include "framework/classes/Parser.h"

#include <cerrno>
#include <cstdlib>

#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

const int kMaxCharCode = 0x10FFFF;
// Value lists and collections nest only a few levels in real forms; deeper is an error, not a
// stack overflow.
const int kMaxValueNesting = 32;

// UTF-16 text in the ANSI code page, as Windows converts it: characters the code page lacks
// become its default character.
String WideToAnsi(const std::wstring& wide) {
  if (wide.empty()) return String();
  int length = static_cast<int>(wide.size());
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  String ansi(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

void AppendCodePoint(std::wstring& wide, int code) {
  if (code < 0x10000) {
    wide += static_cast<wchar_t>(code);
    return;
  }
  code -= 0x10000;
  wide += static_cast<wchar_t>(0xD800 + (code >> 10));
  wide += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
}

const char kUtf8Bom[] = "\xEF\xBB\xBF";

// A file that starts with the UTF-8 byte-order mark is UTF-8; the framework's text is ANSI.
String AnsiTextOf(const String& text) {
  if (text.compare(0, 3, kUtf8Bom) != 0) return text;
  String utf8 = text.substr(3);
  if (utf8.empty()) return utf8;
  int length = static_cast<int>(utf8.size());
  int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return WideToAnsi(wide);
}

}  // namespace

TParser::TParser(const String& text) : text_(AnsiTextOf(text)) { NextToken(); }

void TParser::Error(const String& message) const {
  throw EParserError(Format("Line %d: %s", tokenLine_, message));
}

void TParser::SkipBlanks() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') ++line_;
    if (static_cast<unsigned char>(c) > ' ') break;
    ++pos_;
  }
}

void TParser::NextToken() {
  SkipBlanks();
  tokenLine_ = line_;
  tokenText_.clear();
  if (pos_ >= text_.size()) {
    token_ = toEOF;
    return;
  }
  char c = text_[pos_];
  if (IsIdentStart(c)) {
    size_t start = pos_;
    while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]) || text_[pos_] == '.')) ++pos_;
    tokenText_.assign(text_, start, pos_ - start);
    token_ = toSymbol;
  } else if (c == '\'' || c == '#') {
    ReadQuotedString();
  } else if (IsDigit(c) || c == '$' || (c == '-' && pos_ + 1 < text_.size() && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$'))) {
    ReadNumber();
  } else if (c == '{') {
    ReadBinaryText();
  } else {
    token_ = toChar;
    tokenChar_ = c;
    ++pos_;
  }
}

void TParser::ReadNumber() {
  size_t start = pos_;
  bool negative = text_[pos_] == '-';
  if (negative) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '$') {
    ++pos_;
    size_t digits = pos_;
    uint64_t value = 0;
    while (pos_ < text_.size() && IsHexDigit(text_[pos_])) {
      if (pos_ - digits >= 16) Error("Hexadecimal number too long");
      value = value * 16 + static_cast<unsigned>(HexValue(text_[pos_++]));
    }
    if (pos_ == digits) Error("Invalid hexadecimal number");
    tokenInt_ = static_cast<int64_t>(negative ? 0 - value : value);
    token_ = toInteger;
    return;
  }
  bool isFloat = false;
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (IsDigit(c)) {
      ++pos_;
    } else if (c == '.' || c == 'e' || c == 'E') {
      isFloat = true;
      ++pos_;
      if ((c == 'e' || c == 'E') && pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
    } else {
      break;
    }
  }
  tokenText_.assign(text_, start, pos_ - start);
  if (!isFloat) {
    // Not strtoll: its locale-aware version in the C runtime costs more than the rest of reading
    // a form file's integers.
    try {
      tokenInt_ = StrToInt64(tokenText_);
    } catch (const EConvertError&) {
      Error(Format("Invalid number %s", tokenText_));
    }
    token_ = toInteger;
    return;
  }
  errno = 0;
  char* end = nullptr;
  tokenFloat_ = std::strtod(tokenText_.c_str(), &end);
  token_ = toFloat;
  if (errno == ERANGE || !end || *end != '\0') Error(Format("Invalid number %s", tokenText_));
}

// A string is a run of quoted parts and #nnn character codes with nothing between them. Codes up
// to 255 are bytes; higher ones are Unicode characters, converted to the ANSI code page.
void TParser::ReadQuotedString() {
  String value;
  std::wstring wide;
  while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
    if (text_[pos_] == '#') {
      ++pos_;
      size_t digits = pos_;
      int code = 0;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) {
        code = code * 10 + (text_[pos_++] - '0');
        if (code > kMaxCharCode) Error("Invalid character code in string");
      }
      if (pos_ == digits) Error("Invalid character code in string");
      if (code > 255) {
        AppendCodePoint(wide, code);
        continue;
      }
      value += WideToAnsi(wide);
      wide.clear();
      value += static_cast<char>(code);
      continue;
    }
    value += WideToAnsi(wide);
    wide.clear();
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Error("Unterminated string");
      if (text_[pos_] == '\'') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
          value += '\'';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      value += text_[pos_++];
    }
  }
  value += WideToAnsi(wide);
  tokenText_ = std::move(value);
  token_ = toString;
}

void TParser::ReadBinaryText() {
  ++pos_;
  String digits;
  while (pos_ < text_.size() && text_[pos_] != '}') {
    char c = text_[pos_++];
    if (c == '\n') ++line_;
    if (IsHexDigit(c)) digits += c;
    else if (static_cast<unsigned char>(c) > ' ') Error("Invalid binary data");
  }
  if (pos_ >= text_.size()) Error("Unterminated binary data");
  ++pos_;
  if (digits.size() % 2) Error("Binary data has an odd number of digits");
  tokenText_ = digits;
  token_ = toBinary;
}

TBytes TParser::DecodeBinary() const {
  TBytes bytes(tokenText_.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(HexValue(tokenText_[2 * i]) * 16 + HexValue(tokenText_[2 * i + 1]));
  return bytes;
}

bool TParser::SameSymbol(const char* name) const {
  size_t i = 0;
  for (; i < tokenText_.size(); ++i)
    if (!name[i] || AsciiUpper(tokenText_[i]) != AsciiUpper(name[i])) return false;
  return name[i] == '\0';
}

void TParser::CheckSymbol(const char* name) {
  if (!IsSymbol(name)) Error(Format("%s expected", name));
  NextToken();
}

void TParser::CheckChar(char c) {
  if (!IsChar(c)) Error(Format("'%s' expected", String(1, c)));
  NextToken();
}

String TParser::ReadSymbol() {
  if (token_ != toSymbol) Error("Identifier expected");
  String name = std::move(tokenText_);
  NextToken();
  return name;
}

// Strings may continue over several lines joined by "+".
String TParser::ReadStringToken() {
  String value = std::move(tokenText_);
  NextToken();
  while (IsChar('+')) {
    NextToken();
    if (token_ != toString) Error("String expected");
    value += tokenText_;
    NextToken();
  }
  return value;
}

TFormValue TParser::ReadValue() {
  int line = tokenLine_;
  TFormValue value = ReadValueHere();
  value.line = line;
  return value;
}

TFormValue TParser::ReadValueHere() {
  switch (token_) {
    case toInteger: {
      TFormValue v = TFormValue::Integer(tokenInt_);
      NextToken();
      return v;
    }
    case toFloat: {
      TFormValue v = TFormValue::Float(tokenFloat_);
      NextToken();
      return v;
    }
    case toString:
      return TFormValue::Str(ReadStringToken());
    case toSymbol:
      return TFormValue::Ident(ReadSymbol());
    case toBinary: {
      TFormValue v = TFormValue::Binary(DecodeBinary());
      NextToken();
      return v;
    }
    case toChar:
      if (IsChar('[')) {
        NextToken();
        std::vector<String> members;
        while (!IsChar(']')) {
          if (!members.empty()) CheckChar(',');
          members.push_back(ReadSymbol());
        }
        NextToken();
        return TFormValue::Set(std::move(members));
      }
      if (IsChar('(')) return ReadList();
      if (IsChar('<')) return ReadCollection();
      break;
    case toEOF:
      break;
  }
  Error("Property value expected");
}

void TParser::EnterNesting() {
  if (++valueDepth_ > kMaxValueNesting) Error("Values nested too deeply");
}

TFormValue TParser::ReadList() {
  EnterNesting();
  NextToken();
  std::vector<TFormValue> items;
  while (!IsChar(')')) {
    if (token_ == toEOF) Error("')' expected");
    items.push_back(ReadValue());
  }
  NextToken();
  --valueDepth_;
  return TFormValue::List(std::move(items));
}

// "< item Name = value ... end item ... end >"; an item may carry its order as "item [n]".
TFormValue TParser::ReadCollection() {
  EnterNesting();
  NextToken();
  std::vector<TFormValue> items;
  while (!IsChar('>')) {
    CheckSymbol("item");
    if (IsChar('[')) {
      NextToken();
      if (token_ != toInteger) Error("Item order expected");
      NextToken();
      CheckChar(']');
    }
    TFormValue item = TFormValue::Item();
    while (token_ == toSymbol && !IsSymbol("end")) {
      String name = ReadSymbol();
      CheckChar('=');
      item.Add(name, ReadValue());
    }
    CheckSymbol("end");
    items.push_back(std::move(item));
  }
  NextToken();
  --valueDepth_;
  return TFormValue::Collection(std::move(items));
}

}  // namespace Tovix
