// TFormValue: a property value as form files spell it (integers, floats, strings, identifiers,
// sets, lists, collections and binary data), which the parser reads and the writer writes.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/classes/Exceptions.h"

namespace Tovix {

// A property value as form files spell it: what the parser reads and the writer writes.
struct TFormValue {
  // A collection ("< item ... end >") holds vaItem values; an item's property names are its
  // members and their values its items.
  enum TType { vaNull, vaInteger, vaFloat, vaString, vaIdent, vaSet, vaList, vaBinary, vaCollection, vaItem };

  TType type = vaNull;
  int64_t integer = 0;
  double number = 0;
  String text;                      // vaString and vaIdent
  std::vector<String> members;      // vaSet, vaItem
  std::vector<TFormValue> items;    // vaList, vaCollection, vaItem
  TBytes bytes;                     // vaBinary
  int line = 0;                     // where a value read from a file starts (0: made in code)

  static TFormValue Integer(int64_t v);
  static TFormValue Float(double v);
  static TFormValue Str(const String& s);
  static TFormValue Ident(const String& s);
  static TFormValue Set(std::vector<String> members);
  static TFormValue List(std::vector<TFormValue> items);
  static TFormValue Binary(TBytes bytes);
  static TFormValue Collection(std::vector<TFormValue> items);
  // An empty collection item; Add appends one of its properties.
  static TFormValue Item();
  void Add(const String& name, TFormValue value);

  bool IsIdent(const char* name) const;
  // Equal values; where they were read does not count.
  bool operator==(const TFormValue& other) const;
  // The value in form-file syntax; lists and binary data span lines indented by indent.
  String ToText(int indent = 0) const;
  // Parses one value in form-file syntax; raises EParserError for anything else.
  static TFormValue Parse(const String& text);
};

}  // namespace Tovix
