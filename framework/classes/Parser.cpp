#include "framework/classes/Parser.h"

#include <cerrno>
#include <cstdlib>

namespace Tovix {

namespace {

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

}  // namespace

TParser::TParser(const String& text) : text_(text) { NextToken(); }

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
    tokenText_ = text_.substr(start, pos_ - start);
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
  tokenText_ = text_.substr(start, pos_ - start);
  errno = 0;
  char* end = nullptr;
  if (isFloat) {
    tokenFloat_ = std::strtod(tokenText_.c_str(), &end);
    token_ = toFloat;
  } else {
    tokenInt_ = std::strtoll(tokenText_.c_str(), &end, 10);
    token_ = toInteger;
  }
  if (errno == ERANGE || !end || *end != '\0') Error(Format("Invalid number %s", tokenText_));
}

// A string is a run of quoted parts and #nnn character codes with nothing between them.
void TParser::ReadQuotedString() {
  String value;
  while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
    if (text_[pos_] == '#') {
      ++pos_;
      size_t digits = pos_;
      int code = 0;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) {
        code = code * 10 + (text_[pos_++] - '0');
        if (code > 255) Error("Invalid character code in string");
      }
      if (pos_ == digits) Error("Invalid character code in string");
      value += static_cast<char>(code);
      continue;
    }
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
  tokenText_ = value;
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

bool TParser::IsSymbol(const char* name) const { return token_ == toSymbol && SameText(tokenText_, name); }

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
  String name = tokenText_;
  NextToken();
  return name;
}

// Strings may continue over several lines joined by "+".
String TParser::ReadStringToken() {
  String value = tokenText_;
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
      if (IsChar('(')) {
        // Lists nest only a few levels in real forms; a runaway nesting is an error, not a stack overflow.
        if (++listDepth_ > 32) Error("Lists nested too deeply");
        NextToken();
        std::vector<TFormValue> items;
        while (!IsChar(')')) {
          if (token_ == toEOF) Error("')' expected");
          items.push_back(ReadValue());
        }
        NextToken();
        --listDepth_;
        return TFormValue::List(std::move(items));
      }
      if (IsChar('<')) Error("Collections are not supported");
      break;
    case toEOF:
      break;
  }
  Error("Property value expected");
}

}  // namespace Tovix
