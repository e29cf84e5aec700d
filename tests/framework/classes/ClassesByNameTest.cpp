// Every framework class a form file may name is in the program although this file (which sees
// only the classes layer) names none of them in code.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Classes.h"

using namespace Tovix;

TEST(ClassesByName, EveryFrameworkClassIsCreatedFromAFormFileWithoutBeingNamedInCode) {
  const char* const names[] = {"TBitBtn",  "TButton",    "TCheckBox",   "TCheckListBox", "TComboBox", "TDataModule",
                               "TEdit",    "TForm",      "TGroupBox",   "TImageList",    "TLabel",    "TListBox",
                               "TMaskEdit", "TMemo",     "TMenuItem",   "TOpenDialog",   "TPageControl", "TPanel",
                               "TPopupMenu", "TSpeedButton", "TSpinEdit", "TTabSheet",   "TTimer"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const TClassInfo* info = GetClass(name);
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(info->CanCreate());
    std::unique_ptr<TComponent> made(CreateComponentFromText(Format("object Made: %s\r\nend\r\n", String(name)), nullptr));
    EXPECT_EQ(name, made->ClassName());
    EXPECT_EQ("Made", made->GetName());
  }

  // A form as a designer writes it, with non-visual components and menu items inside.
  std::unique_ptr<TComponent> form(CreateComponentFromText(
      "object Main: TForm\r\n"
      "  object Tick: TTimer\r\n    Interval = 250\r\n    Left = 8\r\n    Top = 8\r\n  end\r\n"
      "  object Menu: TPopupMenu\r\n    object Open: TMenuItem\r\n      Caption = '&Open'\r\n    end\r\n  end\r\n"
      "  object Pictures: TImageList\r\n    Left = 40\r\n  end\r\n"
      "  object Go: TButton\r\n    Caption = 'Go'\r\n    PopupMenu = Menu\r\n  end\r\n"
      "end\r\n",
      nullptr));
  EXPECT_EQ(5, form->GetComponentCount()) << "the menu item belongs to the form as well";
  EXPECT_EQ("TMenuItem", form->FindComponent("Open")->ClassName());
  EXPECT_EQ(40, form->FindComponent("Pictures")->GetDesignInfo());
  EXPECT_EQ(GetPropText(form->FindComponent("Tick"), "Interval"), "250");
}
