// TDesignerWindow: the form designer's main window: the package's description and version, its
// palette, the property list of the selected component, and a file name with Open and Save. The
// design form is a window of its own beside it.
#pragma once

#include <memory>

#include "framework/Forms.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "host/Designer.h"
#include "host/DesignPackage.h"
#include "host/Palette.h"
#include "host/PropertyList.h"

namespace Tovix {

class TDesignerWindow : public TForm {
 public:
  // Loads the package at packagePath (raises EPackageError when it cannot).
  TDesignerWindow(TComponent* owner, const String& packagePath);
  ~TDesignerWindow() override;

  TDesignPackage& GetPackage() const { return *package_; }
  TDesigner& GetDesigner() const { return *designer_; }
  TPalette* GetPalette() const { return palette_; }
  TPropertyList* GetPropertyList() const { return properties_; }
  TEdit* GetFileNameEdit() const { return fileName_; }
  String GetStatus() const { return status_->GetCaption(); }

  // Save and Open as their buttons do them, with the file name in the edit; false (and the
  // reason in the status line) on failure.
  bool SaveDesign();
  bool OpenDesign();

 private:
  void BuildWindow();
  void DesignChanged();
  void SaveClick(TObject*) { SaveDesign(); }
  void OpenClick(TObject*) { OpenDesign(); }

  std::unique_ptr<TDesignPackage> package_;
  std::unique_ptr<TDesigner> designer_;
  TPalette* palette_ = nullptr;
  TPropertyList* properties_ = nullptr;
  TEdit* fileName_ = nullptr;
  TLabel* status_ = nullptr;
  TComponent* shown_ = nullptr;
};

}  // namespace Tovix
