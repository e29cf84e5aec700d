// Form files: every property kind written, read back and written again to the same text.
#include <gtest/gtest.h>
#include <cstdint>

#include "framework/Classes.h"
#include "framework/GraphicsColors.h"
#include "framework/TypInfoBuilder.h"

using namespace Tovix;

namespace {

enum TSample { smNone, smFirst, smSecond, smThird };
enum TStyleItem { fsBold, fsItalic, fsUnderline };
using TStyles = TSet<TStyleItem>;

}  // namespace

namespace Tovix {
template <>
struct TEnumTraits<TSample> {
  static const TEnumInfo& Info() {
    static const TEnumInfo info{{"smNone", "smFirst", "smSecond", "smThird"}};
    return info;
  }
};
template <>
struct TEnumTraits<TStyleItem> {
  static const TEnumInfo& Info() {
    static const TEnumInfo info{{"fsBold", "fsItalic", "fsUnderline"}};
    return info;
  }
};
}  // namespace Tovix

namespace {

// A nested persistent object, as a font is.
class TLook : public TPersistent {
  TOVIX_DECLARE_CLASS(TLook)

 public:
  TColor GetColor() const { return color_; }
  void SetColor(TColor c) { color_ = c; }
  int GetSize() const { return size_; }
  void SetSize(int s) { size_ = s; }
  TStyles GetStyle() const { return style_; }
  void SetStyle(TStyles s) { style_ = s; }

 private:
  TColor color_ = clWindowText;
  int size_ = 8;
  TStyles style_;
};

TOVIX_IMPLEMENT_CLASS(TLook, TPersistent) {
  c.Property("Color", &TLook::GetColor, &TLook::SetColor).Default(clWindowText);
  c.Property("Size", &TLook::GetSize, &TLook::SetSize).Default(8);
  c.Property("Style", &TLook::GetStyle, &TLook::SetStyle).Default(TStyles{});
}

// One property of each kind, plus binary data and a string list.
class TGadget : public TComponent {
  TOVIX_DECLARE_CLASS(TGadget)

 public:
  explicit TGadget(TComponent* owner) : TComponent(owner) { items_.SetOnChange([this](TObject*) { ++itemChanges; }); }
  ~TGadget() override { ++destroyed; }

  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  int GetCount() const { return count_; }
  void SetCount(int v) { count_ = v; }
  uint16_t GetShortCut() const { return shortCut_; }
  void SetShortCut(uint16_t v) { shortCut_ = v; }
  TSample GetKind() const { return kind_; }
  void SetKind(TSample v) { kind_ = v; }
  const String& GetCaption() const { return caption_; }
  void SetCaption(const String& v) { caption_ = v; }
  String GetHint() const { return hint_; }
  void SetHint(const String& v) { hint_ = v; }
  bool IsHintStored() const { return caption_ != "secret"; }
  double GetRatio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  TDateTime GetWhen() const { return when_; }
  void SetWhen(TDateTime v) { when_ = v; }
  TColor GetColor() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TLook* GetLook() const { return const_cast<TLook*>(&look_); }
  void SetLook(TLook* v) { look_.SetColor(v->GetColor()); }
  TStringList* GetItems() const { return const_cast<TStringList*>(&items_); }
  TGadget* GetBuddy() const { return buddy_; }
  void SetBuddy(TGadget* v) {
    buddy_ = v;
    if (v) v->FreeNotification(this);
  }
  const TNotifyEvent& GetOnClick() const { return onClick_; }
  void SetOnClick(const TNotifyEvent& e) { onClick_ = e; }
  void Click() { onClick_(this); }

  TBytes data;
  int loadedCalls = 0;
  bool loadingSeenBySetter = false;
  bool buddyResolvedWhenLoaded = false;
  int itemChanges = 0;
  static int destroyed;

  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
    buddyResolvedWhenLoaded = buddy_ != nullptr;
  }

  void DefineProperties(TFiler& filer) override {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data", [this](const TBytes& bytes) { data = bytes; }, [this] { return data; }, !data.empty());
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == buddy_) buddy_ = nullptr;
  }

 private:
  bool enabled_ = true;
  int count_ = 0;
  uint16_t shortCut_ = 0;
  TSample kind_ = smNone;
  String caption_;
  String hint_;
  double ratio_ = 0;
  TDateTime when_ = 0;
  TColor color_ = clBtnFace;
  TLook look_;
  TStringList items_;
  TGadget* buddy_ = nullptr;
  TNotifyEvent onClick_;
};
int TGadget::destroyed = 0;

TOVIX_IMPLEMENT_CLASS(TGadget, TComponent) {
  c.Property("Enabled", &TGadget::GetEnabled, &TGadget::SetEnabled).Default(true);
  c.Property("Count", &TGadget::GetCount, &TGadget::SetCount);
  c.Property("ShortCut", &TGadget::GetShortCut, &TGadget::SetShortCut).Default(uint16_t{0});
  c.Property("Kind", &TGadget::GetKind, &TGadget::SetKind).Default(smNone);
  c.Property("Caption", &TGadget::GetCaption, &TGadget::SetCaption);
  c.Property("Hint", &TGadget::GetHint, &TGadget::SetHint).Stored(&TGadget::IsHintStored);
  c.Property("Ratio", &TGadget::GetRatio, &TGadget::SetRatio);
  c.Property("When", &TGadget::GetWhen, &TGadget::SetWhen);
  c.Property("Color", &TGadget::GetColor, &TGadget::SetColor).Default(clBtnFace);
  c.Property("Look", &TGadget::GetLook, &TGadget::SetLook);
  c.Property("Items", &TGadget::GetItems);
  c.Property("Buddy", &TGadget::GetBuddy, &TGadget::SetBuddy);
  c.Property("OnClick", &TGadget::GetOnClick, &TGadget::SetOnClick);
}

// A form-like root with published handlers.
class TPanelForm : public TComponent {
  TOVIX_DECLARE_CLASS(TPanelForm)

 public:
  explicit TPanelForm(TComponent* owner) : TComponent(owner) {}
  void GadgetClick(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->GetName()); }
  void WrongShape(TObject*, int) {}
  std::vector<String> clicks;
  TGadget* First = nullptr;  // published field: follows the component named First
  TGadget* Gadget(const char* name) const { return dynamic_cast<TGadget*>(FindComponent(name)); }
};

TOVIX_IMPLEMENT_CLASS(TPanelForm, TComponent) {
  c.Method("GadgetClick", &TPanelForm::GadgetClick);
  c.Method("WrongShape", &TPanelForm::WrongShape);
  c.Field("First", &TPanelForm::First);
}

const char kForm[] =
    "object PanelForm1: TPanelForm\r\n"
    "  Tag = 3\r\n"
    "  object First: TGadget\r\n"
    "    Enabled = False\r\n"
    "    Count = -12\r\n"
    "    ShortCut = 16467\r\n"
    "    Kind = smSecond\r\n"
    "    Caption = 'It''s'#13#10'two lines'\r\n"
    "    Hint = 'tip'\r\n"
    "    Ratio = 0.1\r\n"
    "    When = 36526.75\r\n"
    "    Color = clBlue\r\n"
    "    Look.Color = $00123456\r\n"
    "    Look.Style = [fsBold, fsUnderline]\r\n"
    "    Items.Strings = (\r\n"
    "      'one'\r\n"
    "      ''\r\n"
    "      'three')\r\n"
    "    Buddy = Second\r\n"
    "    OnClick = GadgetClick\r\n"
    "    Data = {\r\n"
    "      00FF10}\r\n"
    "  end\r\n"
    "  object Second: TGadget\r\n"
    "    Count = 0\r\n"
    "    Color = 1193046\r\n"
    "    Buddy = PanelForm1First\r\n"
    "  end\r\n"
    "end\r\n";

}  // namespace

TEST(FormFile, ReadsEveryPropertyKind) {
  TPanelForm form(nullptr);
  String text = kForm;
  // "PanelForm1First" is not a component: make the second buddy point at the first instead.
  text.replace(text.find("PanelForm1First"), 15, "First");
  ReadComponentFromText(text, &form);

  EXPECT_EQ("PanelForm1", form.GetName());
  EXPECT_EQ(3, form.GetTag());
  ASSERT_EQ(2, form.GetComponentCount());
  TGadget* first = form.Gadget("First");
  TGadget* second = form.Gadget("Second");
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(first->GetEnabled());
  EXPECT_EQ(-12, first->GetCount());
  EXPECT_EQ(16467, first->GetShortCut());
  EXPECT_EQ(smSecond, first->GetKind());
  EXPECT_EQ("It's\r\ntwo lines", first->GetCaption());
  EXPECT_EQ("tip", first->GetHint());
  EXPECT_DOUBLE_EQ(0.1, first->GetRatio());
  EXPECT_DOUBLE_EQ(36526.75, first->GetWhen());
  EXPECT_EQ(clBlue, first->GetColor());
  EXPECT_EQ(0x123456, first->GetLook()->GetColor());
  EXPECT_EQ((TStyles{fsBold, fsUnderline}), first->GetLook()->GetStyle());
  EXPECT_EQ("one\r\n\r\nthree\r\n", first->GetItems()->GetText());
  EXPECT_EQ(1, first->itemChanges) << "the list reports one change for the whole read";
  EXPECT_EQ(second, first->GetBuddy()) << "a forward reference resolves once the whole form is read";
  EXPECT_EQ(first, second->GetBuddy());
  EXPECT_EQ((TBytes{0x00, 0xFF, 0x10}), first->data);
  EXPECT_EQ(static_cast<TColor>(0x123456), second->GetColor());

  EXPECT_EQ(1, first->loadedCalls);
  EXPECT_TRUE(first->buddyResolvedWhenLoaded) << "Loaded runs after references are resolved";
  EXPECT_FALSE(first->IsLoading());
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(first->GetComponentState().Contains(csReading));

  first->Click();
  EXPECT_EQ((std::vector<String>{"First"}), form.clicks);
  EXPECT_EQ("GadgetClick", first->GetOnClick().GetMethodName());

  EXPECT_EQ(first, form.First) << "the published field follows the component of its name";
  first->SetName("Renamed");
  EXPECT_EQ(nullptr, form.First);
  second->SetName("First");
  EXPECT_EQ(second, form.First);
  delete second;
  EXPECT_EQ(nullptr, form.First);
}

TEST(FormFile, AFieldOfTheWrongClassRejectsTheComponent) {
  TPanelForm form(nullptr);
  try {
    ReadComponentFromText("object F: TPanelForm\r\n  object First: TPanelForm\r\n  end\r\nend\r\n", &form);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ("Line 2: Field First cannot hold a TPanelForm", e.Message());
  }
  EXPECT_EQ(0, form.GetComponentCount());
  EXPECT_EQ(nullptr, form.First);
}

TEST(FormFile, WriteReadWriteGivesTheSameText) {
  TPanelForm form(nullptr);
  String text = kForm;
  text.replace(text.find("PanelForm1First"), 15, "First");
  ReadComponentFromText(text, &form);
  String written = WriteComponentToText(&form);

  TPanelForm again(nullptr);
  ReadComponentFromText(written, &again);
  EXPECT_EQ(written, WriteComponentToText(&again));

  // Defaults and unstored values are left out; what differs is there, in declaration order.
  EXPECT_EQ(String::npos, written.find("Enabled = True"));
  EXPECT_NE(String::npos, written.find("    Enabled = False\r\n    Count = -12\r\n    ShortCut = 16467\r\n"));
  EXPECT_NE(String::npos, written.find("    Count = 0\r\n")) << "integers without a default are always written";
  EXPECT_NE(String::npos, written.find("    Caption = 'It''s'#13#10'two lines'\r\n"));
  EXPECT_NE(String::npos, written.find("    Look.Color = 1193046\r\n    Look.Style = [fsBold, fsUnderline]\r\n"));
  EXPECT_NE(String::npos, written.find("    Color = clBlue\r\n"));
  EXPECT_NE(String::npos, written.find("    Items.Strings = (\r\n      'one'\r\n      ''\r\n      'three')\r\n"));
  EXPECT_NE(String::npos, written.find("    OnClick = GadgetClick\r\n"));
  EXPECT_NE(String::npos, written.find("    Data = {\r\n      00FF10}\r\n"));
  EXPECT_EQ(0u, written.find("object PanelForm1: TPanelForm\r\n  Tag = 3\r\n  object First: TGadget\r\n"));
}

TEST(FormFile, StoredRulesAndEmptyValuesAreNotWritten) {
  TPanelForm form(nullptr);
  form.SetName("Root");
  auto* g = new TGadget(&form);
  g->SetName("G");
  g->SetCaption("secret");
  g->SetHint("hidden by its stored rule");
  g->SetOnClick([](TObject*) {});  // not a published method of the form: not written
  EXPECT_EQ(
      "object Root: TPanelForm\r\n"
      "  object G: TGadget\r\n"
      "    Count = 0\r\n"
      "    Caption = 'secret'\r\n"
      "  end\r\n"
      "end\r\n",
      WriteComponentToText(&form));
  EXPECT_FALSE(g->IsLoading());
  EXPECT_FALSE(g->GetComponentState().Contains(csWriting));
}

TEST(FormFile, MalformedTextNamesTheLineAndLeavesNothingBehind) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Count = 'x'\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.Count: Invalid value 'x' for property Count"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Nope = 1\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.Nope: Property Nope does not exist in TGadget"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Kind = smFourth\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.Kind: Invalid value smFourth for property Kind"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Look.Style = [fsBold, fsWide]\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.Look.Style: Invalid value [fsBold, fsWide] for property Style"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n  end\r\n  object B: TMissing\r\n  end\r\nend\r\n",
       "Line 4: Class TMissing not found"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Buddy = Nobody\r\n  end\r\nend\r\n",
       "Line 3: Unresolved component reference Nobody"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    OnClick = Missing\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.OnClick: Method Missing not found in TPanelForm"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    OnClick = WrongShape\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.OnClick: Method WrongShape does not match the parameters of OnClick"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n  end\r\n  object A: TGadget\r\n  end\r\nend\r\n",
       "Line 4: A component named A already exists"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Caption = 'open\r\n  end\r\nend\r\n",
       "Line 3: Unterminated string"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Count = 1\r\n", "Line 4: end expected"},
      {"object F: TGadget\r\nend\r\n", "Line 1: the form file describes a TGadget, not a TPanelForm"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Data = {0F0}\r\n  end\r\nend\r\n",
       "Line 3: Binary data has an odd number of digits"},
      {"object F: TPanelForm\r\n  object A: TGadget\r\n    Items.Strings = (1 2)\r\n  end\r\nend\r\n",
       "Line 3: Error reading A.Items.Strings: A list of strings expected"},
      {"object F: TPanelForm\r\n  Count = 99999999999999999999\r\nend\r\n", "Line 2: Invalid number 99999999999999999999"},
      {"object F: TPanelForm\r\n  Count = 9223372036854775808\r\nend\r\n", "Line 2: Invalid number 9223372036854775808"},
      {"object F: TPanelForm\r\nend\r\nobject G: TPanelForm\r\nend\r\n", "Line 3: Text after the final end"},
  };
  for (const Case& c : cases) {
    TGadget::destroyed = 0;
    TPanelForm form(nullptr);
    try {
      ReadComponentFromText(c.text, &form);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(c.message, e.Message());
    }
    EXPECT_EQ(0, form.GetComponentCount()) << c.text;
    EXPECT_FALSE(form.IsLoading());
    EXPECT_FALSE(form.GetComponentState().Contains(csReading));
  }
  // Integers end exactly at the 64-bit limits.
  EXPECT_EQ(INT64_MIN, TFormValue::Parse("-9223372036854775808").integer);
  EXPECT_EQ(INT64_MAX, TFormValue::Parse("9223372036854775807").integer);
  EXPECT_THROW(TFormValue::Parse("-9223372036854775809"), EParserError);
}

TEST(FormFile, DeeplyNestedListsAreRejectedNotOverflowed) {
  String text = "object F: TPanelForm\r\n  object A: TGadget\r\n    Items.Strings = " + String(100000, '(') + "\r\nend\r\n";
  TPanelForm form(nullptr);
  EXPECT_THROW(ReadComponentFromText(text, &form), EReadError);
  EXPECT_EQ(0, form.GetComponentCount());
}

TEST(FormFile, CreatesTheRootByClassName) {
  TComponent owner(nullptr);
  TComponent* made = CreateComponentFromText("object G: TGadget\r\n  Count = 4\r\nend\r\n", &owner);
  ASSERT_EQ("TGadget", made->ClassName());
  EXPECT_EQ(4, static_cast<TGadget*>(made)->GetCount());
  EXPECT_EQ(&owner, made->GetOwner());
  TGadget::destroyed = 0;
  EXPECT_THROW(CreateComponentFromText("object G: TGadget\r\n  Count = x\r\nend\r\n", &owner), EReadError);
  EXPECT_EQ(1, TGadget::destroyed) << "the half-read root is freed";
  EXPECT_EQ(1, owner.GetComponentCount());
  EXPECT_THROW(CreateComponentFromText("object G: TNothing\r\nend\r\n", &owner), EReadError);
}

TEST(PropertyText, GetsAndSetsByPath) {
  TPanelForm form(nullptr);
  auto* a = new TGadget(&form);
  a->SetName("A");
  auto* b = new TGadget(&form);
  b->SetName("B");
  SetPropText(a, "Look.Color", "clRed");
  EXPECT_EQ(clRed, a->GetLook()->GetColor());
  EXPECT_EQ("clRed", GetPropText(a, "look.color"));
  SetPropText(a, "Buddy", "B");
  EXPECT_EQ(b, a->GetBuddy());
  EXPECT_EQ("B", GetPropText(a, "Buddy"));
  SetPropText(a, "OnClick", "GadgetClick");
  a->Click();
  EXPECT_EQ(1u, form.clicks.size());
  SetPropText(a, "Caption", "'x'");
  EXPECT_EQ("x", a->GetCaption());
  EXPECT_EQ("[]", GetPropText(a, "Look.Style"));
  EXPECT_THROW(SetPropText(a, "Buddy", "Nobody"), EReadError);
  EXPECT_THROW(SetPropText(a, "Count", "1 2"), EParserError);
  EXPECT_THROW(SetPropText(a, "Count", "2147483648"), EReadError) << "out of range for an int";
  EXPECT_THROW(GetPropText(a, "Caption.Length"), EReadError);
  delete b;
  EXPECT_EQ(nullptr, a->GetBuddy()) << "a freed reference is cleared through Notification";
}

TEST(FormFile, DesignPositionOfNonVisualComponentsIsKeptAsLeftAndTop) {
  TPanelForm form(nullptr);
  ReadComponentFromText(
      "object F: TPanelForm\r\n"
      "  object A: TGadget\r\n    Count = 1\r\n    Left = -8\r\n    Top = 300\r\n  end\r\n"
      "  object B: TGadget\r\n    Count = 2\r\n    Left = 65535\r\n  end\r\n"
      "  object C: TGadget\r\n    Count = 3\r\n  end\r\n"
      "end\r\n",
      &form);
  EXPECT_EQ(static_cast<int32_t>((300u << 16) | 0xFFF8u), form.Gadget("A")->GetDesignInfo());
  EXPECT_EQ(0xFFFF, form.Gadget("B")->GetDesignInfo()) << "an unsigned half from an older writer reads as -1";
  EXPECT_EQ(0, form.Gadget("C")->GetDesignInfo());

  String written = WriteComponentToText(&form);
  EXPECT_NE(String::npos, written.find("    Count = 1\r\n    Left = -8\r\n    Top = 300\r\n  end\r\n"));
  EXPECT_NE(String::npos, written.find("    Count = 2\r\n    Left = -1\r\n  end\r\n")) << "a zero half is left out";
  EXPECT_NE(String::npos, written.find("    Count = 3\r\n  end\r\n"));

  form.Gadget("C")->SetDesignInfo(static_cast<int32_t>(0x80000000u));
  EXPECT_NE(String::npos, WriteComponentToText(&form).find("    Count = 3\r\n    Top = -32768\r\n  end\r\n"));

  TPanelForm bad(nullptr);
  EXPECT_THROW(ReadComponentFromText("object F: TPanelForm\r\n  object A: TGadget\r\n    Left = 65536\r\n  end\r\nend\r\n", &bad),
               EReadError);
  EXPECT_EQ(0, bad.GetComponentCount());
}
