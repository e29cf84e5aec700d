#include "framework/stdctrls/MaskText.h"

#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

// The first character of one of the user's locale settings, or fallback.
char LocaleCharacter(LCTYPE type, char fallback) {
  char buffer[8] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) > 1 ? buffer[0] : fallback;
}

bool IsMaskInput(char ch) {
  switch (ch) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#': return true;
    default: return false;
  }
}

bool IsRequiredInput(char ch) { return ch == 'L' || ch == 'A' || ch == 'C' || ch == '0'; }

// Whether ch fits an input position's mask character (before case conversion).
bool Fits(char maskChar, char ch) {
  bool digit = ch >= '0' && ch <= '9';
  switch (maskChar) {
    case '0': case '9': return digit;
    case '#': return digit || ch == '+' || ch == '-' || ch == ' ';
    case 'L': case 'l': return IsCharAlphaA(ch) != 0;
    case 'A': case 'a': return IsCharAlphaNumericA(ch) != 0;
    case 'C': case 'c': return static_cast<unsigned char>(ch) >= ' ';
    default: return false;
  }
}

char ToCase(char ch, TMaskLayout::TCase charCase) {
  if (charCase == TMaskLayout::caNone) return ch;
  char buffer[2] = {ch, 0};
  if (charCase == TMaskLayout::caUpper) CharUpperBuffA(buffer, 1);
  else CharLowerBuffA(buffer, 1);
  return buffer[0];
}

}  // namespace

TMaskLayout::TMaskLayout(const String& editMask) {
  TCase charCase = caNone;
  size_t i = 0;
  for (; i < editMask.size(); ++i) {
    char ch = editMask[i];
    TPosition position;
    position.charCase = charCase;
    if (ch == ';') break;
    if (ch == '\\') {
      // An escaped character is a literal; a "\" at the very end stands for itself.
      position.character = i + 1 < editMask.size() ? editMask[++i] : '\\';
    } else if (ch == '!') {
      reversed_ = true;
      continue;
    } else if (ch == '>') {
      charCase = caUpper;
      continue;
    } else if (ch == '<') {
      bool none = i + 1 < editMask.size() && editMask[i + 1] == '>';
      if (none) ++i;
      charCase = none ? caNone : caLower;
      continue;
    } else if (IsMaskInput(ch)) {
      position.input = true;
      position.character = ch;
      position.required = IsRequiredInput(ch);
    } else if (ch == ':') {
      position.character = LocaleCharacter(LOCALE_STIME, ':');
    } else if (ch == '/') {
      position.character = LocaleCharacter(LOCALE_SDATE, '/');
    } else if (ch == '_') {
      position.character = ' ';
    } else {
      position.character = ch;
    }
    positions_.push_back(position);
  }
  // The fields: whether literals are saved, then the blank character.
  if (i < editMask.size()) {
    size_t save = i + 1;
    size_t next = editMask.find(';', save);
    if (save < editMask.size() && save != next) saveLiterals_ = editMask[save] != '0';
    if (next != String::npos && next + 1 < editMask.size()) blank_ = editMask[next + 1];
  }
}

bool TMaskLayout::Accept(int index, char& ch) const {
  if (!IsInput(index)) return false;
  const TPosition& position = At(index);
  if (!Fits(position.character, ch)) return false;
  ch = ToCase(ch, position.charCase);
  return true;
}

int TMaskLayout::NextInput(int index) const {
  if (index < 0) index = 0;
  while (index < Length() && !At(index).input) ++index;
  return index < Length() ? index : Length();
}

int TMaskLayout::PrevInput(int index) const {
  for (int i = (index > Length() ? Length() : index) - 1; i >= 0; --i)
    if (At(i).input) return i;
  return -1;
}

int TMaskLayout::FindLiteralAfter(int index, char ch) const {
  for (int i = index + 1; i < Length(); ++i)
    if (!At(i).input) return At(i).character == ch ? i : -1;
  return -1;
}

String TMaskLayout::PlaceRaw(const String& value, char blank) const {
  String result(positions_.size(), blank);
  std::vector<int> inputs;
  for (int i = 0; i < Length(); ++i) {
    if (At(i).input) inputs.push_back(i);
    else result[static_cast<size_t>(i)] = At(i).character;
  }
  size_t count = inputs.size() < value.size() ? inputs.size() : value.size();
  // Forward: the value's first characters go to the first positions. Reversed: its last
  // characters go to the last positions.
  for (size_t k = 0; k < count; ++k) {
    size_t input = reversed_ ? inputs.size() - count + k : k;
    size_t from = reversed_ ? value.size() - count + k : k;
    char ch = value[from];
    result[static_cast<size_t>(inputs[input])] = ch == ' ' ? blank : ch;
  }
  return result;
}

String TMaskLayout::PadWithLiterals(const String& value, char blank) const {
  String result;
  size_t j = 0;
  for (int i = 0; i < Length(); ++i) {
    const TPosition& position = At(i);
    if (!position.input) {
      result += position.character;
      if (j < value.size() && value[j] == position.character) ++j;
      continue;
    }
    char ch = j < value.size() ? value[j++] : ' ';
    result += ch == ' ' ? blank : ch;
  }
  return result;
}

String TMaskLayout::RawText(const String& editText) const {
  String raw;
  for (int i = 0; i < Length(); ++i)
    if (At(i).input) raw += static_cast<size_t>(i) < editText.size() ? editText[static_cast<size_t>(i)] : blank_;
  if (reversed_) {
    size_t first = raw.find_first_not_of(blank_);
    raw.erase(0, first == String::npos ? raw.size() : first);
  } else {
    size_t last = raw.find_last_not_of(blank_);
    raw.erase(last == String::npos ? 0 : last + 1);
  }
  for (char& ch : raw)
    if (ch == blank_) ch = ' ';
  return raw;
}

String TMaskLayout::TextOf(const String& editText) const {
  String raw = RawText(editText);
  return saveLiterals_ ? PlaceRaw(raw, ' ') : raw;
}

String TMaskLayout::EditTextOf(const String& text) const {
  return saveLiterals_ ? PadWithLiterals(text, blank_) : PlaceRaw(text, blank_);
}

bool TMaskLayout::Validate(const String& editText, int& errorIndex) const {
  for (int i = 0; i < Length(); ++i) {
    const TPosition& position = At(i);
    if (static_cast<size_t>(i) >= editText.size()) {
      errorIndex = i;
      return false;
    }
    char ch = editText[static_cast<size_t>(i)];
    bool fits;
    if (!position.input) {
      fits = ch == position.character;
    } else if (ch == blank_ || (ch == ' ' && position.character != 'C')) {
      fits = !position.required;
    } else {
      fits = Fits(position.character, ch);
    }
    if (!fits) {
      errorIndex = i;
      return false;
    }
  }
  return true;
}

String FormatMaskText(const String& editMask, const String& value) {
  TMaskLayout layout(editMask);
  if (layout.Empty()) return value;
  return layout.SaveLiterals() ? layout.PadWithLiterals(value, ' ') : layout.PlaceRaw(value, ' ');
}

}  // namespace Tovix
