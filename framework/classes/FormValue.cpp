#include "framework/classes/FormValue.h"

#include <charconv>

#include "framework/classes/Parser.h"

namespace Tovix {

namespace {

const size_t kBinaryBytesPerLine = 32;

String Indent(int n) { return String(static_cast<size_t>(n), ' '); }

// Printable characters go inside quotes; control characters are written as #nn codes.
String QuoteString(const String& s) {
  if (s.empty()) return "''";
  String out;
  bool inQuotes = false;
  for (char c : s) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < ' ' || u == 127) {
      if (inQuotes) out += '\'';
      inQuotes = false;
      out += '#';
      out += std::to_string(u);
      continue;
    }
    if (!inQuotes) out += '\'';
    inQuotes = true;
    if (c == '\'') out += '\'';
    out += c;
  }
  if (inQuotes) out += '\'';
  return out;
}

// The shortest text that reads back as exactly the same double.
String FloatText(double v) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return String(buffer, result.ptr);
}

String BinaryText(const TBytes& bytes, int indent) {
  static const char kHex[] = "0123456789ABCDEF";
  String out = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % kBinaryBytesPerLine == 0) {
      out += "\r\n";
      out += Indent(indent + 2);
    }
    out += kHex[bytes[i] >> 4];
    out += kHex[bytes[i] & 0xF];
  }
  return out + "}";
}

}  // namespace

TFormValue TFormValue::Integer(int64_t v) {
  TFormValue f;
  f.type = vaInteger;
  f.integer = v;
  return f;
}

TFormValue TFormValue::Float(double v) {
  TFormValue f;
  f.type = vaFloat;
  f.number = v;
  return f;
}

TFormValue TFormValue::Str(const String& s) {
  TFormValue f;
  f.type = vaString;
  f.text = s;
  return f;
}

TFormValue TFormValue::Ident(const String& s) {
  TFormValue f;
  f.type = vaIdent;
  f.text = s;
  return f;
}

TFormValue TFormValue::Set(std::vector<String> members) {
  TFormValue f;
  f.type = vaSet;
  f.members = std::move(members);
  return f;
}

TFormValue TFormValue::List(std::vector<TFormValue> items) {
  TFormValue f;
  f.type = vaList;
  f.items = std::move(items);
  return f;
}

TFormValue TFormValue::Binary(TBytes bytes) {
  TFormValue f;
  f.type = vaBinary;
  f.bytes = std::move(bytes);
  return f;
}

TFormValue TFormValue::Collection(std::vector<TFormValue> items) {
  TFormValue f;
  f.type = vaCollection;
  f.items = std::move(items);
  return f;
}

TFormValue TFormValue::Item() {
  TFormValue f;
  f.type = vaItem;
  return f;
}

void TFormValue::Add(const String& name, TFormValue value) {
  members.push_back(name);
  items.push_back(std::move(value));
}

bool TFormValue::IsIdent(const char* name) const { return type == vaIdent && SameText(text, name); }

bool TFormValue::operator==(const TFormValue& o) const {
  if (type != o.type) return false;
  switch (type) {
    case vaNull: return true;
    case vaInteger: return integer == o.integer;
    case vaFloat: return number == o.number;
    case vaString: return text == o.text;
    case vaIdent: return SameText(text, o.text);
    case vaSet: return members == o.members;
    case vaList:
    case vaCollection: return items == o.items;
    case vaItem: return members == o.members && items == o.items;
    case vaBinary: return bytes == o.bytes;
  }
  return false;
}

String TFormValue::ToText(int indent) const {
  switch (type) {
    case vaNull: return "nil";
    case vaInteger: return std::to_string(integer);
    case vaFloat: return FloatText(number);
    case vaString: return QuoteString(text);
    case vaIdent: return text;
    case vaSet: {
      String out = "[";
      for (size_t i = 0; i < members.size(); ++i) {
        if (i) out += ", ";
        out += members[i];
      }
      return out + "]";
    }
    case vaList: {
      String out = "(";
      for (const TFormValue& item : items) {
        out += "\r\n";
        out += Indent(indent + 2);
        out += item.ToText(indent + 2);
      }
      return out + ")";
    }
    case vaBinary: return BinaryText(bytes, indent);
    case vaCollection: {
      String out = "<";
      for (const TFormValue& item : items) out += item.ToText(indent + 2);
      return out + ">";
    }
    case vaItem: {
      String out = "\r\n" + Indent(indent) + "item";
      for (size_t i = 0; i < items.size(); ++i)
        out += "\r\n" + Indent(indent + 2) + members[i] + " = " + items[i].ToText(indent + 2);
      return out + "\r\n" + Indent(indent) + "end";
    }
  }
  return String();
}

TFormValue TFormValue::Parse(const String& text) {
  TParser parser(text);
  TFormValue value = parser.ReadValue();
  if (parser.Token() != TParser::toEOF) parser.Error("Unexpected text after the value");
  return value;
}

}  // namespace Tovix
