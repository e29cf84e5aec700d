// Inherited forms read over their ancestor's form file, and frames embedded with "inline".
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/TypInfoBuilder.h"

using namespace Tovix;

namespace {

class TBaseForm : public TForm {
  TOVIX_DECLARE_CLASS(TBaseForm)

 public:
  explicit TBaseForm(TComponent* owner) : TForm(owner) { ReadFormResource(); }
  void OkClick(TObject*) { ++okClicks; }
  int okClicks = 0;

 protected:
  // For descendants that read every form file of their chain themselves.
  TBaseForm(TComponent* owner, bool) : TForm(owner) {}
};

TOVIX_IMPLEMENT_CLASS(TBaseForm, TForm) { c.Method("OkClick", &TBaseForm::OkClick); }

class TChildForm : public TBaseForm {
  TOVIX_DECLARE_CLASS(TChildForm)

 public:
  // Reads its own file over the one its ancestor's constructor read.
  explicit TChildForm(TComponent* owner) : TBaseForm(owner) { ReadFormResource(); }
  // Reads its ancestor's file, then its own.
  TChildForm(TComponent* owner, bool) : TBaseForm(owner, true) { ReadFormResource(); }
  void ExtraClick(TObject*) { ++extraClicks; }
  int extraClicks = 0;
};

TOVIX_IMPLEMENT_CLASS(TChildForm, TBaseForm) { c.Method("ExtraClick", &TChildForm::ExtraClick); }

class TInfoFrame : public TFrame {
  TOVIX_DECLARE_CLASS(TInfoFrame)

 public:
  explicit TInfoFrame(TComponent* owner) : TFrame(owner) { ReadFormResource(); }
  TLabel* Title() const { return dynamic_cast<TLabel*>(FindComponent("Title")); }
};

TOVIX_IMPLEMENT_CLASS(TInfoFrame, TFrame) {}

class THostForm : public TForm {
  TOVIX_DECLARE_CLASS(THostForm)

 public:
  explicit THostForm(TComponent* owner, bool readResource = true) : TForm(owner) {
    if (readResource) ReadFormResource();
  }
  TInfoFrame* Info(const char* name) const { return dynamic_cast<TInfoFrame*>(FindComponent(name)); }
};

TOVIX_IMPLEMENT_CLASS(THostForm, TForm) {}

}  // namespace

TEST(InheritedForms, ADerivedFormReadsItsFileOverItsAncestorsOnce) {
  TChildForm early(nullptr);
  TChildForm late(nullptr, true);
  for (TChildForm* form : {&early, &late}) {
    EXPECT_EQ("ChildForm", form->GetName());
    EXPECT_EQ("Child", form->GetCaption());
    ASSERT_EQ(3, form->GetComponentCount()) << "inherited components are found, not made again";
    auto* ok = dynamic_cast<TButton*>(form->FindComponent("OkButton"));
    auto* notes = dynamic_cast<TPanel*>(form->FindComponent("Notes"));
    auto* extra = dynamic_cast<TButton*>(form->FindComponent("Extra"));
    ASSERT_TRUE(ok && notes && extra);
    EXPECT_EQ("Fine", ok->GetCaption());
    EXPECT_EQ(8, ok->GetLeft()) << "values the derived file leaves alone stay the ancestor's";
    EXPECT_EQ(notes, extra->GetParent());
    ok->GetOnClick()(ok);
    extra->GetOnClick()(extra);
    EXPECT_EQ(1, form->okClicks);
    EXPECT_EQ(1, form->extraClicks);
    EXPECT_FALSE(ok->IsLoading());
  }
}

TEST(Frames, InlineFramesEmbedTheirFileAndMayOverrideIt) {
  THostForm host(nullptr);
  TInfoFrame* info1 = host.Info("Info1");
  TInfoFrame* info2 = host.Info("Info2");
  ASSERT_TRUE(info1 && info2);
  EXPECT_EQ(&host, info1->GetParent());
  EXPECT_EQ(10, info1->GetLeft());
  EXPECT_EQ(20, info1->GetTop());
  EXPECT_EQ(150, info1->GetWidth()) << "from the frame's own file";
  ASSERT_TRUE(info1->Title() && info2->Title());
  EXPECT_NE(info1->Title(), info2->Title()) << "each frame has its own controls";
  EXPECT_EQ("First", info1->Title()->GetCaption());
  EXPECT_EQ("Info", info2->Title()->GetCaption());
  EXPECT_EQ(info1, info1->Title()->GetOwner());
  auto* added = dynamic_cast<TButton*>(host.FindComponent("Added"));
  ASSERT_NE(nullptr, added);
  EXPECT_EQ(info2, added->GetParent());
  EXPECT_TRUE(info1->GetComponentState().Contains(csInline));

  String written = WriteComponentToText(&host);
  EXPECT_NE(String::npos, written.find("  inline Info1: TInfoFrame\r\n"));
  EXPECT_NE(String::npos, written.find("    object Added: TButton\r\n"));
  EXPECT_EQ(String::npos, written.find("object Title")) << "the frame's own controls come from its file";
  size_t changes = written.find("    inherited Title: TLabel\r\n");
  EXPECT_LT(changes, written.find("      Caption = 'First'\r\n")) << "what the form changed in them is kept:\n" << written;
  EXPECT_EQ(written.find("inherited"), written.rfind("inherited"));
  THostForm blank(nullptr, false);
  ReadComponentFromText(written, &blank);
  EXPECT_EQ("First", blank.Info("Info1")->Title()->GetCaption());
  EXPECT_EQ(written, WriteComponentToText(&blank));

  // An inherited block naming nothing the frame has is an error, skipped when handled.
  const char stray[] =
      "object Form1: TForm\r\n  inline Info1: TInfoFrame\r\n    inherited Nothing: TLabel\r\n"
      "      Caption = 'x'\r\n    end\r\n  end\r\nend\r\n";
  TForm strict(nullptr);
  try {
    ReadComponentFromText(stray, &strict);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ("Line 3: Inherited component Nothing not found", e.Message());
  }
  EXPECT_EQ(0, strict.GetComponentCount());
  TForm lenient(nullptr);
  int skipped = 0;
  ReadComponentFromText(stray, &lenient, [&](TReader*, const String&, bool& handled) { handled = ++skipped > 0; });
  EXPECT_EQ(1, skipped);
  EXPECT_NE(nullptr, dynamic_cast<TInfoFrame*>(lenient.FindComponent("Info1")));
}
