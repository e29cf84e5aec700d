// Edit masks: "mask[;save[;blank]]", taken apart into the character positions of the text a
// masked edit shows.
//
// Mask characters: L letter, l optional letter, A letter or digit, a optional letter or digit,
// C any character, c optional any character, 0 digit, 9 optional digit, # optional digit or sign
// (+, -, blank). Literals: any other character, a character after "\", "_" (a blank), ":" and "/"
// (the user's time and date separators). Directives: ">" upper-cases and "<" lower-cases the
// positions after it, "<>" ends either; "!" anywhere makes the unfilled optional positions of a
// text lead rather than trail. Fields after the first ";" that no "\" escapes: a "0" keeps the
// literals out of the control's Text (anything else, or nothing, keeps them); after the next ";"
// the character that stands for an unfilled position (default "_").
#pragma once

#include <vector>

#include "framework/system/SysUtils.h"

namespace Tovix {

class TMaskLayout {
 public:
  enum TCase { caNone, caUpper, caLower };
  struct TPosition {
    bool input = false;     // an input position, else a literal
    char character = 0;     // the literal, or the mask character of an input position
    bool required = false;  // input positions that must be filled (L, A, C, 0)
    TCase charCase = caNone;
  };

  TMaskLayout() = default;
  explicit TMaskLayout(const String& editMask);

  // An empty mask leaves the text as it is typed.
  bool Empty() const { return positions_.empty(); }
  // The number of characters of the shown text.
  int Length() const { return static_cast<int>(positions_.size()); }
  const TPosition& At(int index) const { return positions_[static_cast<size_t>(index)]; }
  bool IsInput(int index) const { return index >= 0 && index < Length() && At(index).input; }
  bool SaveLiterals() const { return saveLiterals_; }
  char Blank() const { return blank_; }
  bool Reversed() const { return reversed_; }

  // Whether ch may be typed at an input position; ch is brought to the position's case.
  bool Accept(int index, char& ch) const;
  // The first input position at or after index (Length when there is none).
  int NextInput(int index) const;
  // The last input position before index (-1 when there is none).
  int PrevInput(int index) const;
  // The literal that ends the field index is in, when it is ch: the position of that literal, else -1.
  int FindLiteralAfter(int index, char ch) const;

  // The shown text for a value without literals: its characters fill the input positions from
  // the left (from the right when reversed); a blank in the value, or no character, shows blank.
  String PlaceRaw(const String& value, char blank) const;
  // The shown text for a value that holds the literals: literals are taken where they match.
  String PadWithLiterals(const String& value, char blank) const;
  // The characters of the input positions of a shown text, without the unfilled ones at the end
  // (at the start when reversed); other unfilled ones become blanks.
  String RawText(const String& editText) const;
  // The control's Text for a shown text: RawText, with the literals again when they are saved.
  String TextOf(const String& editText) const;
  // The shown text for the control's Text.
  String EditTextOf(const String& text) const;
  // Whether every required position is filled and every character fits its position; else the
  // first position that does not.
  bool Validate(const String& editText, int& errorIndex) const;

 private:
  std::vector<TPosition> positions_;
  bool saveLiterals_ = true;
  char blank_ = '_';
  bool reversed_ = false;
};

// A value formatted by a mask as a masked edit would show it, unfilled positions as blanks.
String FormatMaskText(const String& editMask, const String& value);

}  // namespace Tovix
