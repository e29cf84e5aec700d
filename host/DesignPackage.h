// TDesignPackage: a design-time package loaded into the form designer. Loading checks what the
// package requires, runs Initialize and every unit's Register with a registration hook of its
// own, and keeps what was registered: the palette pages with their classes and the component
// editors. Unloading runs Finalize and frees the DLL; its classes leave the class registry.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "framework/DesignIntf.h"
#include "framework/SysUtils.h"

namespace Tovix {

struct TPalettePage {
  String name;
  std::vector<const TClassInfo*> classes;  // in registration order
};

class TDesignPackage : private TRegistrationHook {
 public:
  // Loads the package DLL at path; raises EPackageError with a clear message when it cannot be
  // loaded, requires a runtime this host does not offer or lacks the package entry points.
  explicit TDesignPackage(const String& path);
  ~TDesignPackage() override;
  TDesignPackage(const TDesignPackage&) = delete;
  TDesignPackage& operator=(const TDesignPackage&) = delete;

  void* Module() const { return module_; }
  const TPackageInfo& Info() const { return info_; }
  const String& Description() const { return description_; }
  // The file version from the version resource ("1.0.0.0"), or empty.
  const String& Version() const { return version_; }
  const std::vector<TPalettePage>& Pages() const { return pages_; }
  // The editor registered for the class or its nearest ancestor, or null.
  const TComponentEditorClass* EditorFor(const TClassInfo& componentClass) const;
  // A class's palette bitmap (an HBITMAP the caller deletes), or null when there is none.
  void* LoadPaletteBitmap(const TClassInfo& componentClass) const;

  // The framework runtime packages this host offers: what "VCLX40" and "vcl40" stand for.
  static bool IsOfferedRuntime(const String& packageName);

 private:
  void RegisterComponents(const String& page, const std::vector<const TClassInfo*>& classes) override;
  void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editorClass) override;
  void CheckRequires() const;
  void RunRegistration();
  void Unload();

  void* module_ = nullptr;
  TPackageInfo info_;
  String description_;
  String version_;
  std::vector<TPalettePage> pages_;
  std::vector<std::pair<const TClassInfo*, TComponentEditorClass>> editors_;
  bool initialized_ = false;
};

}  // namespace Tovix
