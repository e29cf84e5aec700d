// Form files make components by class name, and a static library leaves out every object file
// that nothing refers to: a program whose code never names TTimer could not read a form file
// holding one. This unit refers to every framework class a form file may name, and the
// framework's link options make every program and module that links the framework pull it in
// (the linker is told the symbol below is needed), so all of them are there from the start.
#include "framework/controls/Menus.h"
#include "framework/dialogs/OpenDialog.h"
#include "framework/forms/DataModule.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/CheckListBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/MaskEdit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/PageControl.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/SpinEdit.h"
#include "framework/stdctrls/Timer.h"

namespace Tovix {

using TClassInfoGetter = const TClassInfo& (*)();

// The classes form files create by name; a class added to the framework joins this list.
extern const TClassInfoGetter kFrameworkFormClasses[];
const TClassInfoGetter kFrameworkFormClasses[] = {
    &TBitBtn::StaticClassInfo,    &TButton::StaticClassInfo,       &TCheckBox::StaticClassInfo,
    &TCheckListBox::StaticClassInfo, &TComboBox::StaticClassInfo,  &TDataModule::StaticClassInfo,
    &TEdit::StaticClassInfo,      &TForm::StaticClassInfo,         &TFrame::StaticClassInfo,         &TGroupBox::StaticClassInfo,
    &TImageList::StaticClassInfo, &TLabel::StaticClassInfo,        &TListBox::StaticClassInfo,
    &TMaskEdit::StaticClassInfo,  &TMemo::StaticClassInfo,         &TMenuItem::StaticClassInfo,
    &TOpenDialog::StaticClassInfo, &TPageControl::StaticClassInfo, &TPanel::StaticClassInfo,
    &TPopupMenu::StaticClassInfo, &TSpeedButton::StaticClassInfo,  &TSpinEdit::StaticClassInfo,
    &TTabSheet::StaticClassInfo,  &TTimer::StaticClassInfo,
    nullptr};

}  // namespace Tovix

// The symbol the framework's link options name (see framework/CMakeLists.txt).
extern "C" [[gnu::used]] const void* const tovixFrameworkFormClasses = &Tovix::kFrameworkFormClasses;
