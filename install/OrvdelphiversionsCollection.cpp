// TOrvDelphiVersions: finding the installed versions, selecting some, listing them for the user
// and applying one installation step to every selected version.
#include "install/Orvdelphiversions.h"

#include <memory>

#include "framework/CheckLst.h"
#include "install/OrvinstallRes.h"
#include "utils/Orvregistry.h"

namespace Tovix {

namespace {

int CompareVersions(void* item1, void* item2) {
  // An empty slot counts as version 0.
  float v1 = item1 ? static_cast<TOrvDelphiVer*>(item1)->GetVersion() : 0.0f;
  float v2 = item2 ? static_cast<TOrvDelphiVer*>(item2)->GetVersion() : 0.0f;
  return v1 < v2 ? -1 : (v1 > v2 ? 1 : 0);
}

}  // namespace

TOrvDelphiVersions::TOrvDelphiVersions() : Errors(nullptr), Versions(new TList()) {
  Errors = new TStringList();
  try {
    Scan();
  } catch (...) {
    // The scan can still fail (out of memory, a registry failure other than a bad value); the
    // destructor will not run.
    FreeAll();
    throw;
  }
}

TOrvDelphiVersions::~TOrvDelphiVersions() { FreeAll(); }

void TOrvDelphiVersions::FreeAll() {
  ClearList();
  delete Versions;
  delete Errors;
}

void TOrvDelphiVersions::ClearList() {
  for (int i = 0; i < Versions->GetCount(); ++i) delete At(i);
  Versions->Clear();
}

void TOrvDelphiVersions::Scan() {
  ClearList();
  ScanManufacturer("Borland");
  Versions->Sort(CompareVersions);
}

void TOrvDelphiVersions::ScanManufacturer(const String& manufacturer) {
  bool borland = CompareText(manufacturer, "Borland") == 0;
  TOrvRegistry registry(HKEY_LOCAL_MACHINE);
  UseIdeRegistryView(registry);
  if (!registry.OpenKeyReadOnly(Format("\\Software\\%s\\Delphi\\", manufacturer))) {
    if (borland) Errors->Add("Unable to open key HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi");
    return;
  }
  TStringList names;
  registry.GetKeyNames(names);
  if (names.GetCount() == 0 && borland) Errors->Add("Registry has no subkeys under HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi");
  for (int i = 0; i < names.GetCount(); ++i) {
    std::unique_ptr<TOrvDelphiVer> version;
    try {
      version = std::make_unique<TOrvDelphiVer>(manufacturer, names[i]);
    } catch (const ERegistryException& e) {
      // One damaged version (a value of the wrong type) must not hide the others from an installer.
      Errors->Add(Format("%s in \\Software\\%s\\Delphi\\%s", e.Message(), manufacturer, names[i]));
      continue;
    }
    if (version->IsValid()) Versions->Add(version.release());
    else Errors->AddStrings(*version->Errors);
  }
}

TOrvDelphiVer* TOrvDelphiVersions::GetVersionByIndex(int index) const {
  if (GetCount() == 0) {
    String text = LoadStr(SOrvDelphiVersionsNoneAvailable, "Delphi Version[%d] requested though no versions available.");
    throw Exception(Format(text, index));
  }
  if (index < 0 || index > GetCount() - 1) {
    String text = LoadStr(SOrvDelphiVersionsOutOfBounds, "Delphi Version[%d] out of bounds.  Must be between 0 and %d.");
    throw Exception(Format(text, index, GetCount() - 1));
  }
  return At(index);
}

TOrvDelphiVer* TOrvDelphiVersions::GetVersion(int majorVersion) const {
  // From the highest down, so that 4.5 wins over 4.0.
  for (int i = GetCount() - 1; i >= 0; --i)
    if (At(i)->GetVersionInt() == majorVersion) return At(i);
  return nullptr;
}

TOrvDelphiVer* TOrvDelphiVersions::GetHighestVersion() const { return GetCount() == 0 ? nullptr : At(GetCount() - 1); }

bool TOrvDelphiVersions::Select(int majorVersion) {
  TOrvDelphiVer* version = GetVersion(majorVersion);
  if (!version) return false;
  version->Selected = true;
  return true;
}

void TOrvDelphiVersions::SelectHighest() {
  if (TOrvDelphiVer* highest = GetHighestVersion()) highest->Selected = true;
}

void TOrvDelphiVersions::DeselectHighest() {
  if (TOrvDelphiVer* highest = GetHighestVersion()) highest->Selected = false;
}

void TOrvDelphiVersions::SetSelected(bool selected) {
  for (int i = 0; i < GetCount(); ++i) At(i)->Selected = selected;
}

void TOrvDelphiVersions::SelectAll() { SetSelected(true); }
void TOrvDelphiVersions::DeselectAll() { SetSelected(false); }

int TOrvDelphiVersions::GetSelected() const {
  int count = 0;
  for (int i = 0; i < GetCount(); ++i)
    if (At(i)->Selected) ++count;
  return count;
}

void TOrvDelphiVersions::FillListBox(TCustomListBox* listBox, const String& prefix) const {
  for (int i = 0; i < GetCount(); ++i) listBox->GetItems()->Add(Format("%s%1.1f", prefix, At(i)->GetVersion()));
}

void TOrvDelphiVersions::FillCheckListBox(TCheckListBox* checkListBox, const String& prefix) const {
  for (int i = 0; i < GetCount(); ++i) {
    int item = checkListBox->GetItems()->Add(Format("%s%1.1f", prefix, At(i)->GetVersion()));
    checkListBox->SetChecked(item, At(i)->Selected);
  }
}

void TOrvDelphiVersions::ForEachSelected(const std::function<void(TOrvDelphiVer&)>& action) {
  for (int i = 0; i < GetCount(); ++i)
    if (At(i)->Selected) action(*At(i));
}

void TOrvDelphiVersions::AddHelpLink(const String& file) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.AddHelpLink(file); });
}

void TOrvDelphiVersions::AddHelpIndex(const String& file) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.AddHelpIndex(file); });
}

void TOrvDelphiVersions::RemoveHelpLink(const String& file) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.RemoveHelpLink(file); });
}

void TOrvDelphiVersions::RemoveHelpIndex(const String& file) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.RemoveHelpIndex(file); });
}

void TOrvDelphiVersions::RemoveDeadHelpLinks() {
  ForEachSelected([](TOrvDelphiVer& v) { v.RemoveDeadHelpLinks(); });
}

void TOrvDelphiVersions::RemoveDeadHelpIndexes() {
  ForEachSelected([](TOrvDelphiVer& v) { v.RemoveDeadHelpIndexes(); });
}

void TOrvDelphiVersions::AddLibSearchPath(const String& directory) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.AddLibSearchPath(directory); });
}

void TOrvDelphiVersions::AddPkg(const String& packageFile, const String& description) {
  ForEachSelected([&](TOrvDelphiVer& v) { v.AddPkg(packageFile, description); });
}

}  // namespace Tovix
