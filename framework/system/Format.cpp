// The framework's Format: printf-like directives checked against typed arguments.
#include <cstdio>
#include <vector>

#include "framework/system/SysUtils.h"

namespace Tovix {

namespace {

struct Directive {
  int index = -1;       // explicit argument index, or -1 for "the next one"
  bool leftAlign = false;
  int width = -1;
  int precision = -1;
  char type = 0;        // lower-case directive letter
};

class Formatter {
 public:
  Formatter(const String& format, std::initializer_list<TFormatArg> args)
      : format_(format), args_(args.begin(), args.end()) {}

  String Run() {
    String out;
    size_t i = 0;
    while (i < format_.size()) {
      size_t percent = format_.find('%', i);
      if (percent == String::npos) {
        out.append(format_, i, String::npos);
        break;
      }
      out.append(format_, i, percent - i);
      i = percent + 1;
      if (i < format_.size() && format_[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      Directive d = ParseDirective(i);
      out += Pad(Convert(d), d);
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const { throw EConvertError(Format("Format '%s' invalid or incompatible with argument", format_)); }
  [[noreturn]] void Missing() const { throw EConvertError(Format("No argument for format '%s'", format_)); }

  const TFormatArg& NextArg() {
    if (next_ >= args_.size()) Missing();
    return args_[next_++];
  }

  // A number written in the directive, or "*" taking it from the next integer argument.
  int ParseNumber(size_t& i) {
    if (i < format_.size() && format_[i] == '*') {
      ++i;
      const TFormatArg& a = NextArg();
      if (a.GetKind() == TFormatArg::Kind::Signed) return static_cast<int>(a.GetSigned());
      if (a.GetKind() == TFormatArg::Kind::Unsigned) return static_cast<int>(a.GetUnsigned());
      Invalid();
    }
    int n = -1;
    while (i < format_.size() && format_[i] >= '0' && format_[i] <= '9') {
      n = (n < 0 ? 0 : n) * 10 + (format_[i++] - '0');
      if (n > 100000) Invalid();
    }
    return n;
  }

  Directive ParseDirective(size_t& i) {
    Directive d;
    // An optional "index:" prefix; without the colon the number is the width, read again below.
    size_t start = i;
    size_t nextBefore = next_;
    int n = ParseNumber(i);
    if (i < format_.size() && format_[i] == ':') {
      if (n < 0) Invalid();
      d.index = n;
      next_ = static_cast<size_t>(n);
      ++i;
    } else {
      i = start;
      next_ = nextBefore;
    }
    if (i < format_.size() && format_[i] == '-') {
      d.leftAlign = true;
      ++i;
    }
    d.width = ParseNumber(i);
    if (i < format_.size() && format_[i] == '.') {
      ++i;
      d.precision = ParseNumber(i);
      if (d.precision < 0) d.precision = 0;
    }
    if (i >= format_.size()) Invalid();
    char t = format_[i++];
    if (t >= 'A' && t <= 'Z') t = static_cast<char>(t - 'A' + 'a');
    d.type = t;
    return d;
  }

  String Convert(const Directive& d) {
    const TFormatArg& a = NextArg();
    using K = TFormatArg::Kind;
    switch (d.type) {
      case 'd':
        if (a.GetKind() == K::Signed) return Integer(a.GetSigned() < 0, Magnitude(a), d.precision);
        if (a.GetKind() == K::Unsigned) return Integer(false, a.GetUnsigned(), d.precision);
        break;
      case 'u':
        if (a.GetKind() == K::Signed) return Integer(false, static_cast<uint32_t>(a.GetSigned()), d.precision);
        if (a.GetKind() == K::Unsigned) return Integer(false, a.GetUnsigned(), d.precision);
        break;
      case 'x':
        if (a.GetKind() == K::Signed) return Hex(a, d.precision);
        if (a.GetKind() == K::Unsigned) return Hex(a, d.precision);
        break;
      case 'p':
        if (a.GetKind() == K::Pointer) return IntToHex(a.GetUnsigned(), static_cast<int>(sizeof(void*) * 2));
        break;
      case 's':
        if (a.GetKind() == K::Text) return d.precision >= 0 ? a.GetText().substr(0, static_cast<size_t>(d.precision)) : a.GetText();
        break;
      case 'f': case 'e': case 'g': case 'n':
        if (a.GetKind() == K::Float) return Float(a.GetFloat(), d);
        break;
      default:
        break;
    }
    Invalid();
  }

  static unsigned long long Magnitude(const TFormatArg& a) {
    long long v = a.GetSigned();
    return v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  }

  // Decimal digits, zero-padded to the precision (the minimum number of digits).
  static String Integer(bool negative, unsigned long long magnitude, int precision) {
    String digits = std::to_string(magnitude);
    if (precision > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
  }

  // Upper-case hex; negative 32-bit values show their 32-bit pattern.
  static String Hex(const TFormatArg& a, int precision) {
    unsigned long long v = a.GetUnsigned();
    if (a.GetKind() == TFormatArg::Kind::Signed) {
      long long s = a.GetSigned();
      v = (s < 0 && s >= INT32_MIN) ? static_cast<uint32_t>(s) : static_cast<unsigned long long>(s);
    }
    return IntToHex(v, precision);
  }

  // One C conversion of a float; the pattern is ours, never the caller's text.
  static String PrintFloat(const char* pattern, int precision, double value) {
    int n = std::snprintf(nullptr, 0, pattern, precision, value);
    if (n < 0) return String();
    String out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, precision, value);
    out.resize(static_cast<size_t>(n));
    return out;
  }

  static int Limit(int precision, int fallback, int low, int high) {
    if (precision < 0) return fallback;
    return precision < low ? low : (precision > high ? high : precision);
  }

  static String Float(double value, const Directive& d) {
    switch (d.type) {
      case 'f':
        return PrintFloat("%.*f", Limit(d.precision, 2, 0, 300), value);
      case 'n':
        return GroupThousands(PrintFloat("%.*f", Limit(d.precision, 2, 0, 300), value));
      case 'e':
        // Scientific with that many significant digits (15 by default) and a 3-digit exponent.
        return WidenExponent(PrintFloat("%.*E", Limit(d.precision, 15, 1, 100) - 1, value));
      default:
        return PrintFloat("%.*G", Limit(d.precision, 15, 1, 100), value);
    }
  }

  static String WidenExponent(String text) {
    size_t e = text.find('E');
    if (e == String::npos || e + 2 > text.size()) return text;
    size_t digits = text.size() - (e + 2);
    if (digits < 3) text.insert(e + 2, 3 - digits, '0');
    return text;
  }

  static String GroupThousands(const String& text) {
    size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
    size_t end = text.find('.');
    if (end == String::npos) end = text.size();
    String out = text.substr(0, start);
    for (size_t i = start; i < end; ++i) {
      if (i > start && (end - i) % 3 == 0) out += ',';
      out += text[i];
    }
    return out + text.substr(end);
  }

  static String Pad(const String& text, const Directive& d) {
    if (d.width <= static_cast<int>(text.size())) return text;
    String fill(static_cast<size_t>(d.width) - text.size(), ' ');
    return d.leftAlign ? text + fill : fill + text;
  }

  const String& format_;
  std::vector<TFormatArg> args_;
  size_t next_ = 0;
};

}  // namespace

String FormatArgs(const String& format, std::initializer_list<TFormatArg> args) {
  return Formatter(format, args).Run();
}

}  // namespace Tovix
