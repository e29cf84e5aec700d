#include "utils/Orvregistry.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/Forms.h"

namespace Tovix {

namespace {

constexpr int kRectSize = 16;

// The font record: its size, the length of the name field that starts it, and the offsets of the
// fields that follow the name.
constexpr int kFontRecordSize = 126;
constexpr int kFontNameFieldLength = 102;
constexpr size_t kMaxFontNameLength = 100;
constexpr int kFontCharset = 102;
constexpr int kFontColor = 106;
constexpr int kFontHeight = 110;
constexpr int kFontPitch = 114;
constexpr int kFontSize = 118;
constexpr int kFontBold = 122;
constexpr int kFontItalic = 123;
constexpr int kFontUnderline = 124;
constexpr int kFontStrikeOut = 125;

// The directory of the running program's executable file, with its trailing backslash.
String ProgramDirectory() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return String();
    // A full buffer means the name was cut short: try again with a larger one.
    if (length < buffer.size()) return ExtractFilePath(String(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

void PutInt32(unsigned char* bytes, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

int32_t GetInt32(const unsigned char* bytes) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

void RequireForm(const TCustomForm* form, const char* operation) {
  if (!form) throw ERegistryException(Format("TOrvRegistry.%s received nil form parameter", operation));
}

// The record's bytes for a font; the name field is zero after the name.
void EncodeFont(TFont& font, unsigned char* record) {
  std::memset(record, 0, kFontRecordSize);
  const String& faceName = font.GetName();
  std::memcpy(record, faceName.data(), faceName.size());
  record[kFontCharset] = static_cast<unsigned char>(font.GetCharset());
  PutInt32(record + kFontColor, static_cast<int32_t>(font.GetColor()));
  PutInt32(record + kFontHeight, font.GetHeight());
  record[kFontPitch] = static_cast<unsigned char>(font.GetPitch());
  PutInt32(record + kFontSize, font.GetSize());
  TFontStyles style = font.GetStyle();
  record[kFontBold] = style.Contains(fsBold) ? 1 : 0;
  record[kFontItalic] = style.Contains(fsItalic) ? 1 : 0;
  record[kFontUnderline] = style.Contains(fsUnderline) ? 1 : 0;
  record[kFontStrikeOut] = style.Contains(fsStrikeOut) ? 1 : 0;
}

TFontPitch PitchOf(unsigned char stored) {
  return stored <= static_cast<unsigned char>(fpFixed) ? static_cast<TFontPitch>(stored) : fpDefault;
}

// Applies the record's fields to font in the record's order: name, charset, colour, height,
// pitch, size, style. They are gathered on a copy first, so that font changes once.
void DecodeFont(const unsigned char* record, TFont& font) {
  TFont read;
  read.Assign(&font);
  const char* name = reinterpret_cast<const char*>(record);
  const void* terminator = std::memchr(name, 0, kFontNameFieldLength);
  size_t nameLength = terminator ? static_cast<size_t>(static_cast<const char*>(terminator) - name) : kFontNameFieldLength;
  read.SetName(String(name, nameLength));
  read.SetCharset(record[kFontCharset]);
  read.SetColor(static_cast<TColor>(GetInt32(record + kFontColor)));
  read.SetHeight(GetInt32(record + kFontHeight));
  read.SetPitch(PitchOf(record[kFontPitch]));
  read.SetSize(GetInt32(record + kFontSize));
  TFontStyles style;
  if (record[kFontBold]) style.Include(fsBold);
  if (record[kFontItalic]) style.Include(fsItalic);
  if (record[kFontUnderline]) style.Include(fsUnderline);
  if (record[kFontStrikeOut]) style.Include(fsStrikeOut);
  read.SetStyle(style);
  font.Assign(&read);
}

}  // namespace

TOrvRegistry::TOrvRegistry(HKEY rootKey) {
  if (rootKey != GetRootKey()) SetRootKey(rootKey);
}

String TOrvRegistry::ReadString(const String& name, const String& defaultValue) const {
  return ValueExists(name) ? ReadString(name) : defaultValue;
}

bool TOrvRegistry::ReadBool(const String& name, bool defaultValue) const {
  return ValueExists(name) ? ReadBool(name) : defaultValue;
}

int TOrvRegistry::ReadInteger(const String& name, int defaultValue) const {
  return ValueExists(name) ? ReadInteger(name) : defaultValue;
}

String TOrvRegistry::ReadValidDirPath(const String& name) const {
  String programDirectory = ProgramDirectory();
  String path = ReadString(name, programDirectory);
  if (path.empty() || !DirectoryExists(path)) return programDirectory;
  return path;
}

TRect TOrvRegistry::ReadRect(const String& name, const TRect& defaultValue) const {
  if (GetDataSize(name) != kRectSize) return defaultValue;
  unsigned char bytes[kRectSize];
  // The value may change between the size check and the read; only a full record counts.
  if (ReadBinaryData(name, bytes, kRectSize) != kRectSize) return defaultValue;
  return Rect(GetInt32(bytes), GetInt32(bytes + 4), GetInt32(bytes + 8), GetInt32(bytes + 12));
}

void TOrvRegistry::WriteRect(const String& name, const TRect& rect) {
  unsigned char bytes[kRectSize];
  PutInt32(bytes, rect.left);
  PutInt32(bytes + 4, rect.top);
  PutInt32(bytes + 8, rect.right);
  PutInt32(bytes + 12, rect.bottom);
  WriteBinaryData(name, bytes, kRectSize);
}

void TOrvRegistry::WriteFormPos(const String& name, TCustomForm* form) {
  RequireForm(form, "WriteFormPos");
  WriteRect(name, Rect(form->GetLeft(), form->GetTop(), form->GetWidth(), form->GetHeight()));
}

void TOrvRegistry::RestoreFormPos(const String& name, TCustomForm* form) const {
  RequireForm(form, "RestoreFormPos");
  TRect stored = ReadRect(name, Rect(form->GetLeft(), form->GetTop(), form->GetWidth(), form->GetHeight()));
  // The rectangle's right and bottom fields hold the width and height.
  form->SetBounds(stored.left, stored.top, stored.right, stored.bottom);
}

void TOrvRegistry::WriteFormState(const String& name, TCustomForm* form) {
  RequireForm(form, "WriteFormState");
  WriteInteger(name, static_cast<int>(form->GetWindowState()));
}

void TOrvRegistry::RestoreFormState(const String& name, TCustomForm* form) const {
  RequireForm(form, "RestoreFormState");
  int state = ReadInteger(name, static_cast<int>(form->GetWindowState()));
  if (state < wsNormal || state > wsMaximized) return;
  form->SetWindowState(static_cast<TWindowState>(state));
}

void TOrvRegistry::WriteFont(const String& name, TFont* font) {
  if (!font) throw ERegistryException("TOrvRegistry.WriteFont received nil font parameter");
  if (font->GetName().size() > kMaxFontNameLength)
    throw ERegistryException("TOrvRegistry.WriteFont received font with name longer than 100 characters.");
  unsigned char record[kFontRecordSize];
  EncodeFont(*font, record);
  WriteBinaryData(name, record, kFontRecordSize);
}

void TOrvRegistry::ReadFont(const String& name, TFont* font, TFont* defaultFont) const {
  if (!font) throw ERegistryException("TOrvRegistry.ReadFont received nil new font parameter");
  unsigned char record[kFontRecordSize];
  // The value may change between the size check and the read; only a full record counts.
  if (GetDataSize(name) == kFontRecordSize && ReadBinaryData(name, record, kFontRecordSize) == kFontRecordSize)
    DecodeFont(record, *font);
  else if (defaultFont)
    font->Assign(defaultFont);
}

}  // namespace Tovix
