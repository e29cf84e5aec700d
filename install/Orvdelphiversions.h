// Orvdelphiversions: the Delphi IDE installations an installer finds in the registry, and the
// settings it edits in each: known packages, the library search path, help links and index entries.
//
// TOrvDelphiVer is one installed version, read once from the registry when it is made; problems
// found while reading become lines of Errors instead of exceptions. TOrvDelphiVersions finds every
// usable version, lets the installer select some, and applies one installation step to all
// selected versions at once.
#pragma once

#include <functional>

#include "framework/Classes.h"

namespace Tovix {

class TCheckListBox;
class TCustomListBox;
class TRegistry;

// Makes the registry object open keys where the IDE, a 32-bit program, keeps them: in the 32-bit
// view of the registry, also from a 64-bit program.
void UseIdeRegistryView(TRegistry& registry);

class TOrvDelphiVer : public TObject {
 public:
  // Reads the version's registry keys (see the .cpp for which); never raises for a missing key
  // or value.
  TOrvDelphiVer(const String& manufacturer, const String& versionKey);
  ~TOrvDelphiVer() override;

  String Manufacturer;    // vendor word of the registry path
  String VersionKey;      // name of the version's registry subkey, such as "4.0"
  String ExePath;         // the IDE executable
  String RootDir;         // the IDE's root directory, without a trailing backslash
  String BinDir;          // directory of ExePath
  String ActiveXUnitDir;  // where imported ActiveX units go
  String SearchPath;      // the library search path: ";"-separated, macros expanded
  bool Selected = false;  // the collection's bulk operations act on selected records only
  TStringList* Errors;    // one line per problem met; owned

  // "\Software\<Manufacturer>\Delphi\<VersionKey>", opened from the root key.
  String RegKey() const;
  // Whether the version number is positive and the executable exists; a missing executable adds a
  // line to Errors at every call.
  bool IsValid();
  // VersionKey as a decimal number; 0 for text that is not one and for a negative number.
  float GetVersion() const;
  int GetVersionInt() const;
  // "Delphi V4.0".
  String GetDesc() const;
  // RootDir\Lib, or from version 4 on, when that does not exist, the directory of the
  // "Package DCP Output" library setting.
  String GetLibDir();

  // Stored path form to plain path: doubled backslashes become single ones (version 3 on),
  // "$(DELPHI)" becomes RootDir (version 4 on), then the result is trimmed.
  String ImportMacroDir(const String& path) const;
  // Plain path to stored form (version 4 on: RootDir becomes "$(DELPHI)" and backslashes are
  // doubled); always trimmed.
  String ExportMacroDir(const String& path) const;
  // Backslashes doubled from version 4 on; always trimmed.
  String ExportDir(const String& path) const;

  // Library search path.
  bool InLibSearchPath(const String& directory) const;
  // Appends directory to SearchPath unless it is there already, and writes it to the registry.
  void AddLibSearchPath(const String& directory);
  // Writes SearchPath with RootDir contracted to "$(DELPHI)"; does nothing when the version's
  // Library key is missing.
  void WriteLibSearchPath();

  // Packages, identified by their file name alone (case ignored).
  String FindPkg(const String& packageFile) const;
  bool IsPkgInstalled(const String& packageFile) const;
  // Deletes every entry of the package's file name from "Known Packages" and "Disabled Packages".
  void RemovePkg(const String& packageFile);
  // Replaces any entry of the package's file name by packageFile, as passed, with its description.
  void AddPkg(const String& packageFile, const String& description);

  // Help files: the configuration file's ":Link" lines and the contents file's ":Index" lines.
  String GetHelpCfgFilePath() const;
  String GetHelpCntFilePath() const;
  String MakeHelpLinkStr(const String& file) const;
  String MakeHelpIndexStr(const String& file) const;
  bool IsHelpLinkStr(const String& line) const;
  bool IsHelpIndexStr(const String& line) const;
  // The file a link or index line names; empty for other lines and a bare keyword.
  String GetHelpLinkFile(const String& line) const;
  String GetHelpIndexFile(const String& line) const;
  // A line naming a full path is live when that file exists; any other line is always live.
  bool IsHelpLinkLive(const String& line) const;
  bool IsHelpIndexLive(const String& line) const;
  bool IsHelpLinked(const String& file) const;
  bool IsHelpIndex(const String& file) const;
  // Appends a line naming file unless one does or the file to append to is missing; true when a
  // line was added. From version 4 on the IDE has no help links, so AddHelpLink adds an index line.
  bool AddHelpLink(const String& file);
  bool AddHelpIndex(const String& file);
  // Removes the lines naming file (any directory when file is a bare name); true when some went.
  bool RemoveHelpLink(const String& file);
  bool RemoveHelpIndex(const String& file);
  void RemoveDeadHelpLinks();
  void RemoveDeadHelpIndexes();
  // Deletes the help system's cache file; true when there was one and it went.
  bool DeleteHelpGidFile();

 private:
  // GetVersion's answer for the VersionKey it was worked out from: every stored path asks for it.
  mutable bool versionKnown_ = false;
  mutable String versionKeyRead_;
  mutable float version_ = 0;

  // SearchPath as the registry holds it (imported): what a refused write restores.
  String storedSearchPath_;

  // RootDir, ExePath, BinDir, ActiveXUnitDir and SearchPath as stored, and the error lines.
  void ReadRegistry();
  // "$(DELPHI)" expanded to RootDir from version 4 on, then trimmed; backslashes left as they are.
  String ExpandMacro(const String& path) const;
  String GetHelpDir() const;
  // The path of a help file (cfg, cnt, gid) to work on, or empty with the Errors line "No help
  // directory for ..." when there is no help directory: never a file at the drive's root.
  String HelpFileToUse(const char* extension) const;
  String HelpFilePath(const char* extension) const;
  // Whether an entry line of the file names file (compared as IsHelpLinked says).
  bool HelpFileHasEntry(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                     String (TOrvDelphiVer::*fileOf)(const String&) const, const String& file) const;
  bool AppendHelpLine(const String& path, const String& line);
  bool RemoveHelpEntries(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                         String (TOrvDelphiVer::*fileOf)(const String&) const, const String& file);
  void RemoveDeadHelpEntries(const String& path, bool (TOrvDelphiVer::*isEntry)(const String&) const,
                             String (TOrvDelphiVer::*fileOf)(const String&) const);
  // Rewrites the file without the lines drop picks; the original stays whole on any failure.
  // True when a line was dropped.
  bool RewriteHelpFile(const String& path, const std::function<bool(const String&)>& drop);
};

class TOrvDelphiVersions : public TObject {
 public:
  // Scans the registry at once.
  TOrvDelphiVersions();
  ~TOrvDelphiVersions() override;

  TStringList* Errors;  // why versions were not found or were rejected; never cleared; owned
  TList* Versions;      // the usable versions (TOrvDelphiVer*), in ascending order; owned

  void ClearList();
  // Finds the versions again; records obtained earlier are freed and every selection is lost.
  void Scan();
  // Appends the usable versions of one vendor, neither clearing nor sorting.
  void ScanManufacturer(const String& manufacturer);

  int GetCount() const { return Versions->GetCount(); }
  // Raises Exception for an empty collection or an index out of range.
  TOrvDelphiVer* GetVersionByIndex(int index) const;
  TOrvDelphiVer* operator[](int index) const { return GetVersionByIndex(index); }
  // The highest version of that major number, or null.
  TOrvDelphiVer* GetVersion(int majorVersion) const;
  TOrvDelphiVer* GetHighestVersion() const;
  bool Select(int majorVersion);
  void SelectHighest();
  void DeselectHighest();
  void SelectAll();
  void DeselectAll();
  int GetSelected() const;

  // Adds "<prefix><version>" ("Delphi 4.0") for every version; check marks follow Selected.
  void FillListBox(TCustomListBox* listBox, const String& prefix) const;
  void FillCheckListBox(TCheckListBox* checkListBox, const String& prefix) const;

  // Bulk operations: the record's operation of the same name on every selected version, in order.
  void AddHelpLink(const String& file);
  void AddHelpIndex(const String& file);
  void RemoveHelpLink(const String& file);
  void RemoveHelpIndex(const String& file);
  void RemoveDeadHelpLinks();
  void RemoveDeadHelpIndexes();
  void AddLibSearchPath(const String& directory);
  void AddPkg(const String& packageFile, const String& description);

 private:
  TOrvDelphiVer* At(int index) const { return static_cast<TOrvDelphiVer*>(Versions->GetItems(index)); }
  void ForEachSelected(const std::function<void(TOrvDelphiVer&)>& action);
  void FreeAll();
  void SetSelected(bool selected);
};

}  // namespace Tovix
