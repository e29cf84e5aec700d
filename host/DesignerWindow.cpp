#include "host/DesignerWindow.h"

#include "framework/Classes.h"

namespace Tovix {

TDesignerWindow::TDesignerWindow(TComponent* owner, const String& packagePath) : TForm(owner) {
  package_ = std::make_unique<TDesignPackage>(packagePath);
  designer_ = std::make_unique<TDesigner>(*package_);
  BuildWindow();
  designer_->OnChange = [this] { DesignChanged(); };
  properties_->OnModified = [this] { designer_->Modified(); };
  palette_->OnPick = [this](const TClassInfo* componentClass) { designer_->SetPendingClass(componentClass); };
}

TDesignerWindow::~TDesignerWindow() {
  // The design's components run the package's code: they go before the package does.
  designer_->OnChange = nullptr;
  properties_->SetComponent(nullptr);
  designer_.reset();
  // So do the palette's glyphs and buttons, which are this window's.
  palette_->OnPick = nullptr;
}

void TDesignerWindow::BuildWindow() {
  SetCaption("Tovix Form Designer");
  SetBounds(20, 20, 380, 600);

  auto* top = new TPanel(this);
  top->SetParent(this);
  top->SetAlign(alTop);
  top->SetHeight(130);
  top->SetBevelOuter(bvNone);
  auto* about = new TLabel(this);
  about->SetParent(top);
  about->SetBounds(4, 4, 370, 16);
  about->SetCaption(package_->Description() + "  " + package_->Version());
  palette_ = new TPalette(this, *package_);
  palette_->SetParent(top);
  palette_->SetBounds(0, 22, 380, 64);
  fileName_ = new TEdit(this);
  fileName_->SetParent(top);
  fileName_->SetBounds(4, 92, 170, 21);
  fileName_->SetText("Form1.txt");
  auto* open = new TButton(this);
  open->SetParent(top);
  open->SetBounds(178, 91, 60, 23);
  open->SetCaption("Open");
  open->SetOnClick(TNotifyEvent(this, &TDesignerWindow::OpenClick));
  auto* save = new TButton(this);
  save->SetParent(top);
  save->SetBounds(242, 91, 60, 23);
  save->SetCaption("Save");
  save->SetOnClick(TNotifyEvent(this, &TDesignerWindow::SaveClick));
  status_ = new TLabel(this);
  status_->SetParent(top);
  status_->SetBounds(4, 116, 320, 14);

  properties_ = new TPropertyList(this);
  properties_->SetParent(this);
  properties_->SetAlign(alClient);
}

void TDesignerWindow::DesignChanged() {
  if (!designer_->GetPendingClass()) palette_->ReleaseButtons();
  TComponent* selected = designer_->GetSelection();
  if (!selected) selected = designer_->GetRoot();
  if (selected != shown_) {
    shown_ = selected;
    properties_->SetComponent(selected);
  } else {
    properties_->Refresh();
  }
}

bool TDesignerWindow::SaveDesign() {
  try {
    TStringList lines;
    lines.SetText(designer_->SaveText());
    lines.SaveToFile(fileName_->GetText());
  } catch (const Exception& e) {
    status_->SetCaption(e.Message());
    return false;
  }
  status_->SetCaption("Saved " + fileName_->GetText());
  return true;
}

bool TDesignerWindow::OpenDesign() {
  std::vector<String> skipped;
  try {
    shown_ = nullptr;
    properties_->SetComponent(nullptr);
    TStringList lines;
    lines.LoadFromFile(fileName_->GetText());
    skipped = designer_->OpenText(lines.GetText());
  } catch (const Exception& e) {
    status_->SetCaption(e.Message());
    return false;
  }
  String text = "Opened " + fileName_->GetText();
  if (!skipped.empty()) text += Format(", skipped %d: ", static_cast<int>(skipped.size())) + skipped.front();
  status_->SetCaption(text);
  return true;
}

}  // namespace Tovix
