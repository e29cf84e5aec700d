// Inherited forms written as their differences from the ancestor's form file, and read back.
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/TypInfoBuilder.h"
#include "framework/system/ScopeExit.h"

using namespace Tovix;

namespace {

class TGlossaryWord : public TCollectionItem {
  TOVIX_DECLARE_CLASS(TGlossaryWord)

 public:
  explicit TGlossaryWord(TCollection* collection) : TCollectionItem(collection) {}
  const String& GetText() const { return text; }
  void SetText(const String& v) { text = v; }
  String text;
};

TOVIX_IMPLEMENT_CLASS(TGlossaryWord, TCollectionItem) { c.Property("Text", &TGlossaryWord::GetText, &TGlossaryWord::SetText); }

class TGlossary : public TComponent {
  TOVIX_DECLARE_CLASS(TGlossary)

 public:
  explicit TGlossary(TComponent* owner) : TComponent(owner), words(this, TCollection::Maker<TGlossaryWord>()) {}
  TCollection* GetWords() const { return const_cast<TCollection*>(&words); }
  void SetWords(TCollection* v) { words.Assign(v); }
  TGlossaryWord* Word(int i) const { return static_cast<TGlossaryWord*>(words.GetItem(i)); }
  TCollection words;
};

TOVIX_IMPLEMENT_CLASS(TGlossary, TComponent) { c.Property("Words", &TGlossary::GetWords, &TGlossary::SetWords); }

class TAncestorForm : public TForm {
  TOVIX_DECLARE_CLASS(TAncestorForm)

 public:
  explicit TAncestorForm(TComponent* owner) : TForm(owner) {
    if (failCreate) throw Exception("cannot make the ancestor");
    ReadFormResource();
  }
  void OkClick(TObject*) {}
  template <typename T>
  T* Find(const char* name) const { return dynamic_cast<T*>(FindComponent(name)); }
  static inline bool failCreate = false;
};

TOVIX_IMPLEMENT_CLASS(TAncestorForm, TForm) { c.Method("OkClick", &TAncestorForm::OkClick); }

class TDerivedForm : public TAncestorForm {
  TOVIX_DECLARE_CLASS(TDerivedForm)

 public:
  // Without readOwnFile it holds what its constructor reads its own file over.
  explicit TDerivedForm(TComponent* owner, bool readOwnFile = true) : TAncestorForm(owner) {
    if (readOwnFile) ReadFormResource();
  }
  void AddedClick(TObject*) {}
};

TOVIX_IMPLEMENT_CLASS(TDerivedForm, TAncestorForm) { c.Method("AddedClick", &TDerivedForm::AddedClick); }

class TBoxFrame : public TFrame {
  TOVIX_DECLARE_CLASS(TBoxFrame)

 public:
  explicit TBoxFrame(TComponent* owner) : TFrame(owner) { ReadFormResource(); }
  TPanel* Box() const { return dynamic_cast<TPanel*>(FindComponent("Box")); }
};

TOVIX_IMPLEMENT_CLASS(TBoxFrame, TFrame) {}

}  // namespace

// What the derived form changes in code, against what its ancestor's file made.
const char kChanged[] =
    "inherited DerivedForm: TDerivedForm\r\n"
    "  Caption = 'Derived'\r\n"
    "  ClientWidth = 480\r\n"
    "  inherited Header: TPanel\r\n"
    "    object Added: TButton\r\n      Left = 0\r\n      Top = 0\r\n      Width = 75\r\n      Height = 25\r\n"
    "      Caption = 'Added'\r\n      TabOrder = 0\r\n      OnClick = AddedClick\r\n    end\r\n  end\r\n"
    "  inherited OkButton: TButton\r\n    Caption = 'Fine'\r\n    OnClick = nil\r\n  end\r\n"
    "  inherited Choices: TListBox\r\n    Items.Strings = ()\r\n  end\r\n"
    "  inherited Spare: TButton\r\n    Visible = True\r\n  end\r\n"
    "  inherited Boxes: TBoxFrame\r\n    inherited Box: TPanel\r\n      Width = 120\r\n    end\r\n  end\r\n"
    "  inherited Title: TLabel\r\n    FocusControl = Added\r\n  end\r\n"
    "  inherited Glossary: TGlossary\r\n    Words = <\r\n      item\r\n        Text = 'alpha'\r\n      end\r\n"
    "      item\r\n        Text = 'gamma'\r\n      end>\r\n  end\r\nend\r\n";

TEST(InheritedWrite, AFormWritesOnlyWhatDiffersFromItsAncestorAndReadsBackTheSame) {
  TDerivedForm form(nullptr);
  EXPECT_EQ(FormResourceText(&form), WriteComponentToText(&form)) << "unchanged, it writes its own form file";

  form.SetClientWidth(480);
  form.Find<TButton>("OkButton")->SetOnClick(TNotifyEvent());
  form.Find<TListBox>("Choices")->GetItems()->Clear();
  form.Find<TButton>("Spare")->SetVisible(true);  // its default, but not the ancestor's value
  auto* title = form.Find<TLabel>("Title");
  title->SetParent(&form);
  title->SetFocusControl(form.Find<TButton>("Added"));
  form.Find<TGlossary>("Glossary")->Word(1)->SetText("gamma");
  form.Find<TBoxFrame>("Boxes")->Box()->SetWidth(120);
  String text = WriteComponentToText(&form);
  EXPECT_EQ(kChanged, text);

  TDerivedForm copy(nullptr, false);
  ReadComponentFromText(text, &copy);
  EXPECT_EQ(text, WriteComponentToText(&copy));
  EXPECT_EQ(form.GetComponentCount(), copy.GetComponentCount());
  EXPECT_EQ(480, copy.GetClientWidth());
  EXPECT_FALSE(copy.Find<TButton>("OkButton")->GetOnClick());
  EXPECT_EQ(0, copy.Find<TListBox>("Choices")->GetItems()->GetCount());
  EXPECT_TRUE(copy.Find<TButton>("Spare")->GetVisible());
  EXPECT_EQ(&copy, copy.Find<TLabel>("Title")->GetParent());
  EXPECT_EQ(copy.Find<TButton>("Added"), copy.Find<TLabel>("Title")->GetFocusControl());
  EXPECT_EQ(copy.Find<TPanel>("Header"), copy.Find<TButton>("Added")->GetParent());
  EXPECT_EQ("gamma", copy.Find<TGlossary>("Glossary")->Word(1)->GetText());
  EXPECT_EQ(2, copy.Find<TGlossary>("Glossary")->GetWords()->GetCount());
  EXPECT_EQ(120, copy.Find<TBoxFrame>("Boxes")->Box()->GetWidth());
}

TEST(InheritedWrite, ExplicitAncestorsFallbacksAndDeletedComponents) {
  TDerivedForm form(nullptr);
  TDerivedForm other(nullptr);
  other.SetCaption("Other");
  TWriter writer;
  writer.SetAncestor(&other);
  EXPECT_EQ("inherited DerivedForm: TDerivedForm\r\n  Caption = 'Derived'\r\nend\r\n", writer.WriteRootComponent(&form));

  // An ancestor that cannot be made leaves nothing to compare with: everything is written.
  TAncestorForm::failCreate = true;
  String whole;
  {
    TScopeExit restore([] { TAncestorForm::failCreate = false; });
    whole = WriteComponentToText(&form);
  }
  EXPECT_EQ(0u, whole.find("object DerivedForm: TDerivedForm\r\n"));
  EXPECT_NE(String::npos, whole.find("    object Title: TLabel\r\n"));
  EXPECT_EQ(String::npos, whole.find("inherited"));

  delete form.Find<TButton>("Spare");
  try {
    WriteComponentToText(&form);
    FAIL() << "a deleted inherited component would come back on reading";
  } catch (const EWriteError& e) {
    EXPECT_EQ("DerivedForm: TDerivedForm has no Spare, which its ancestor TAncestorForm makes: "
              "an inherited component cannot be deleted", e.Message());
  }
}

TEST(InheritedWrite, ControlsAFormPutsInsideAFramesOwnControlsAreKept) {
  const char text[] =
      "object Host: TForm\r\n  inline Frame1: TBoxFrame\r\n    inherited Box: TPanel\r\n"
      "      object Extra: TButton\r\n      end\r\n    end\r\n  end\r\nend\r\n";
  TForm host(nullptr);
  ReadComponentFromText(text, &host);
  String written = WriteComponentToText(&host);
  EXPECT_NE(String::npos, written.find("    inherited Box: TPanel\r\n      object Extra: TButton\r\n")) << written;
  TForm copy(nullptr);
  ReadComponentFromText(written, &copy);
  EXPECT_EQ(written, WriteComponentToText(&copy));
  auto* box = copy.FindComponent("Frame1")->FindComponent("Box");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(box, dynamic_cast<TButton*>(copy.FindComponent("Extra"))->GetParent());
}
