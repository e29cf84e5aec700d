// TParser: the tokenizer of the text form-file syntax.
#pragma once

#include "framework/classes/TypInfo.h"

namespace Tovix {

class TParser {
 public:
  enum TToken { toEOF, toSymbol, toString, toInteger, toFloat, toBinary, toChar };

  explicit TParser(const String& text);

  TToken Token() const { return token_; }
  // The character of a toChar token.
  char TokenChar() const { return tokenChar_; }
  // A symbol's name, a string's decoded bytes, or the hex digits of binary data.
  const String& TokenString() const { return tokenText_; }
  int64_t TokenInt() const { return tokenInt_; }
  double TokenFloat() const { return tokenFloat_; }
  // The line (from 1) where the current token starts.
  int SourceLine() const { return tokenLine_; }

  void NextToken();
  bool IsSymbol(const char* name) const {
    // Most symbols differ from the keyword asked about in their first letter: answered inline (the
    // reader asks several times for every property). Folding with 0x20 is only a filter.
    return token_ == toSymbol && (tokenText_[0] | 0x20) == (name[0] | 0x20) && SameSymbol(name);
  }
  bool IsChar(char c) const { return token_ == toChar && tokenChar_ == c; }
  void CheckSymbol(const char* name);
  void CheckChar(char c);
  String ReadSymbol();
  // Reads one property value starting at the current token and moves past it.
  TFormValue ReadValue();

  // Raises EParserError naming the current line.
  [[noreturn]] void Error(const String& message) const;

 private:
  bool SameSymbol(const char* name) const;
  void SkipBlanks();
  void ReadNumber();
  void ReadQuotedString();
  void ReadBinaryText();
  String ReadStringToken();
  TFormValue ReadValueHere();
  TFormValue ReadList();
  TFormValue ReadCollection();
  void EnterNesting();
  TBytes DecodeBinary() const;

  const String text_;
  size_t pos_ = 0;
  int line_ = 1;
  TToken token_ = toEOF;
  char tokenChar_ = 0;
  String tokenText_;
  int64_t tokenInt_ = 0;
  double tokenFloat_ = 0;
  int tokenLine_ = 1;
  int valueDepth_ = 0;
};

}  // namespace Tovix
