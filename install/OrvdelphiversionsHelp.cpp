// TOrvDelphiVer's help operations: the ":Link" lines of the IDE's help configuration file
// (DelphiN.cfg) and the ":Index" lines of its contents file (DelphiN.cnt), in the help directory
// beside the help system's cache file (DelphiN.gid), which every change deletes.
#include <string>
#include <unordered_map>

#include "framework/SystemTextFile.h"
#include "install/Orvdelphiversions.h"
#include "utils/Orvregistry.h"
#include "utils/Orvutils.h"

namespace Tovix {

namespace {

// Where the line's text lies once trimmed ([first, end)), and whether that text starts with the
// lower-case keyword, ignoring ASCII case. Every line of a help file passes here, so it works in place.
bool StartsWithKeyword(const String& line, const char* keyword, size_t& first, size_t& end) {
  first = 0;
  end = line.size();
  while (first < end && static_cast<unsigned char>(line[first]) <= ' ') ++first;
  while (end > first && static_cast<unsigned char>(line[end - 1]) <= ' ') --end;
  size_t i = 0;
  for (; keyword[i]; ++i) {
    if (first + i == end) return false;
    char c = line[first + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return true;
}

// A keyword line is the bare keyword, or the keyword followed by a blank and more.
bool IsKeywordLine(const String& line, const char* keyword) {
  size_t first, end;
  if (!StartsWithKeyword(line, keyword, first, end)) return false;
  size_t after = first + std::char_traits<char>::length(keyword);
  return after == end || line[after] == ' ';
}

// The text after "<keyword> " in a keyword line; false for the bare keyword and other lines.
bool TextAfterKeyword(const String& line, const char* keyword, String& rest) {
  size_t first, end;
  if (!StartsWithKeyword(line, keyword, first, end)) return false;
  size_t after = first + std::char_traits<char>::length(keyword);
  if (after == end || line[after] != ' ') return false;
  rest.assign(line, after + 1, end - after - 1);
  return true;
}

// A line naming a full path is live when that file exists; any other line is always live.
bool NamesLiveFile(const String& file) { return !IsFilePath(file) || FileExists(file); }

}  // namespace

// Empty when there is none: without RootDir, "RootDir\Help" would be "\Help" at the drive's root.
String TOrvDelphiVer::GetHelpDir() const {
  String directory = RootDir.empty() ? String() : RootDir + "\\Help";
  if ((!directory.empty() && DirectoryExists(directory)) || GetVersionInt() < 4) return directory;
  TOrvRegistry registry(HKEY_CURRENT_USER);
  UseIdeRegistryView(registry);
  if (!registry.OpenKeyReadOnly(RegKey() + "\\OpenHelp")) return directory;
  // A missing project value gives no directory; so does one that, with no RootDir to expand
  // "$(DELPHI)" to, would start at the drive's root ("\Help"; a network path is kept).
  String found = ExtractFileDir(ImportMacroDir(registry.ReadString("ProjectFile", "")));
  bool driveRoot = !found.empty() && found[0] == '\\' && (found.size() == 1 || found[1] != '\\');
  return driveRoot ? String() : found;
}

String TOrvDelphiVer::HelpFilePath(const char* extension) const {
  return Format("%s\\Delphi%d.%s", GetHelpDir(), GetVersionInt(), extension);
}

String TOrvDelphiVer::HelpFileToUse(const char* extension) const {
  String directory = GetHelpDir();
  if (!directory.empty()) return Format("%s\\Delphi%d.%s", directory, GetVersionInt(), extension);
  Errors->Add(Format("No help directory for %s", GetDesc()));
  return String();
}

String TOrvDelphiVer::GetHelpCfgFilePath() const { return HelpFilePath("cfg"); }
String TOrvDelphiVer::GetHelpCntFilePath() const { return HelpFilePath("cnt"); }

String TOrvDelphiVer::MakeHelpLinkStr(const String& file) const { return Format(":Link %s", file); }
String TOrvDelphiVer::MakeHelpIndexStr(const String& file) const { return Format(":Index =%s", file); }

bool TOrvDelphiVer::IsHelpLinkStr(const String& line) const { return IsKeywordLine(line, ":link"); }
bool TOrvDelphiVer::IsHelpIndexStr(const String& line) const { return IsKeywordLine(line, ":index"); }

String TOrvDelphiVer::GetHelpLinkFile(const String& line) const {
  String rest;
  if (!TextAfterKeyword(line, ":link", rest)) return String();
  return ImportMacroDir(rest);  // trimmed already
}

String TOrvDelphiVer::GetHelpIndexFile(const String& line) const {
  String rest;
  if (!TextAfterKeyword(line, ":index", rest)) return String();
  // What comes before the first "=" is the entry's title.
  size_t equals = rest.find('=');
  if (equals != String::npos) rest.erase(0, equals + 1);
  return ImportMacroDir(rest);  // trimmed already
}

bool TOrvDelphiVer::IsHelpLinkLive(const String& line) const { return NamesLiveFile(GetHelpLinkFile(line)); }
bool TOrvDelphiVer::IsHelpIndexLive(const String& line) const { return NamesLiveFile(GetHelpIndexFile(line)); }

bool TOrvDelphiVer::HelpFileHasEntry(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                                  String (TOrvDelphiVer::*fileOf)(const String&) const, const String& file) const {
  if (path.empty() || !FileExists(path)) return false;
  String wanted = Trim(file);
  TTextFile text;
  text.Reset(path);
  String line;
  while (text.ReadLn(line))
    if ((this->*isEntry)(line) && CompareText(Trim((this->*fileOf)(line)), wanted) == 0) return true;
  text.Close();
  return false;
}

bool TOrvDelphiVer::IsHelpLinked(const String& file) const {
  return HelpFileHasEntry(HelpFileToUse("cfg"), &TOrvDelphiVer::IsHelpLinkStr, &TOrvDelphiVer::GetHelpLinkFile, file);
}

bool TOrvDelphiVer::IsHelpIndex(const String& file) const {
  return HelpFileHasEntry(HelpFileToUse("cnt"), &TOrvDelphiVer::IsHelpIndexStr, &TOrvDelphiVer::GetHelpIndexFile, file);
}

bool TOrvDelphiVer::AppendHelpLine(const String& path, const String& line) {
  TTextFile text;
  text.Append(path);
  // A file whose last line has no line end keeps that line whole.
  if (text.EndsInsideLine()) text.WriteLn("");
  text.WriteLn(line);
  text.Close();
  DeleteHelpGidFile();
  return true;
}

bool TOrvDelphiVer::AddHelpLink(const String& file) {
  if (GetVersionInt() >= 4) return AddHelpIndex(file);
  if (Trim(file).empty()) return false;
  String path = HelpFileToUse("cfg");
  if (path.empty() || !FileExists(path) ||
      HelpFileHasEntry(path, &TOrvDelphiVer::IsHelpLinkStr, &TOrvDelphiVer::GetHelpLinkFile, file))
    return false;
  return AppendHelpLine(path, MakeHelpLinkStr(file));
}

bool TOrvDelphiVer::AddHelpIndex(const String& file) {
  if (Trim(file).empty()) return false;
  String path = HelpFileToUse("cnt");
  if (path.empty() || !FileExists(path) ||
      HelpFileHasEntry(path, &TOrvDelphiVer::IsHelpIndexStr, &TOrvDelphiVer::GetHelpIndexFile, file))
    return false;
  return AppendHelpLine(path, MakeHelpIndexStr(file));
}

bool TOrvDelphiVer::RewriteHelpFile(const String& path, const std::function<bool(const String&)>& drop) {
  String temporary = path + "2";
  bool dropped = false;
  try {
    TTextFile source;
    TTextFile target;
    source.Reset(path);
    target.Rewrite(temporary);
    String line;
    while (source.ReadLn(line)) {
      if (drop(line)) dropped = true;
      else target.WriteLn(line);
    }
    source.Close();
    target.Close();
  } catch (...) {
    DeleteFile(temporary);
    throw;
  }
  if (!dropped) {
    if (!DeleteFile(temporary)) RaiseInOutError(GetLastError());
    return false;
  }
  // The complete new file takes the original's name in one step, so a failure here leaves the
  // original as it was.
  if (!RenameFileReplacing(temporary, path)) {
    DWORD error = GetLastError();
    DeleteFile(temporary);
    RaiseInOutError(error);
  }
  DeleteHelpGidFile();
  return true;
}

bool TOrvDelphiVer::RemoveHelpEntries(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                                      String (TOrvDelphiVer::*fileOf)(const String&) const, const String& file) {
  if (Trim(file).empty() || path.empty() || !FileExists(path)) return false;
  // A bare file name matches that name in any directory.
  bool nameOnly = file.find('\\') == String::npos;
  return RewriteHelpFile(path, [&](const String& line) {
    if (!(this->*isEntry)(line)) return false;
    String named = (this->*fileOf)(line);
    if (nameOnly) named = Trim(ExtractFileName(named));
    return CompareText(named, file) == 0;
  });
}

bool TOrvDelphiVer::RemoveHelpLink(const String& file) {
  if (Trim(file).empty()) return false;
  return RemoveHelpEntries(HelpFileToUse("cfg"), &TOrvDelphiVer::IsHelpLinkStr, &TOrvDelphiVer::GetHelpLinkFile, file);
}

bool TOrvDelphiVer::RemoveHelpIndex(const String& file) {
  if (Trim(file).empty()) return false;
  return RemoveHelpEntries(HelpFileToUse("cnt"), &TOrvDelphiVer::IsHelpIndexStr, &TOrvDelphiVer::GetHelpIndexFile, file);
}

void TOrvDelphiVer::RemoveDeadHelpEntries(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                                          String (TOrvDelphiVer::*fileOf)(const String&) const) {
  if (path.empty() || !FileExists(path)) return;
  // Many lines may name the same help file: each file is looked for once per pass.
  std::unordered_map<String, bool> live;
  RewriteHelpFile(path, [&](const String& line) {
    if (!(this->*isEntry)(line)) return false;
    String file = (this->*fileOf)(line);
    auto known = live.find(file);
    if (known == live.end()) known = live.emplace(file, NamesLiveFile(file)).first;
    return !known->second;
  });
}

void TOrvDelphiVer::RemoveDeadHelpLinks() {
  RemoveDeadHelpEntries(HelpFileToUse("cfg"), &TOrvDelphiVer::IsHelpLinkStr, &TOrvDelphiVer::GetHelpLinkFile);
}

void TOrvDelphiVer::RemoveDeadHelpIndexes() {
  RemoveDeadHelpEntries(HelpFileToUse("cnt"), &TOrvDelphiVer::IsHelpIndexStr, &TOrvDelphiVer::GetHelpIndexFile);
}

bool TOrvDelphiVer::DeleteHelpGidFile() {
  String cache = HelpFileToUse("gid");
  return !cache.empty() && FileExists(cache) && DeleteFile(cache);
}

}  // namespace Tovix
