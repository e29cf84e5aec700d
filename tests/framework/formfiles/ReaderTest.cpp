// Reading form files: the error hooks (strict and lenient loading), bad and hostile input, and
// character codes outside the ANSI range.
#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

using namespace Tovix;

namespace {

// Every kind of fault a foreign file has, each followed by something that must still be read.
const char kForeignForm[] =
    "object Form1: TForm\r\n"                         // 1
    "  Caption = 'Foreign'\r\n"                        // 2
    "  Unknown = (\r\n"                                // 3
    "    'a'\r\n"
    "    ('b' 1))\r\n"
    "  object Panel1: TPanel\r\n"                      // 6
    "    Left = 8\r\n"
    "    Bogus = {00FF}\r\n"                           // 8
    "    Top = 9\r\n"
    "    object Gauge1: TFancyGauge\r\n"               // 10
    "      Columns = <\r\n"
    "        item\r\n"
    "          Width = 1\r\n"
    "        end>\r\n"
    "      object Inner: TButton\r\n"
    "      end\r\n"
    "    end\r\n"
    "    object Button1: TButton\r\n"                  // 18
    "      Caption = 'OK'\r\n"
    "      OnClick = NoSuchHandler\r\n"                // 20
    "      PopupMenu = NoSuchMenu\r\n"                 // 21
    "      Width = 2147483648\r\n"                     // 22
    "    end\r\n"
    "  end\r\n"
    "  object Item1: TMenuItem\r\n"                    // 25
    "  end\r\n"
    "  object Timer1: TTimer\r\n"                      // 27
    "    Interval = 250\r\n"
    "    object Button2: TButton\r\n"                  // 29
    "    end\r\n"
    "  end\r\n"
    "  object Menu1: TPopupMenu\r\n"                   // 32
    "    object Edit1: TEdit\r\n"                      // 33
    "    end\r\n"
    "    object Open1: TMenuItem\r\n"
    "      Caption = 'Open'\r\n"
    "    end\r\n"
    "  end\r\n"
    "end\r\n";

std::vector<String> ReadLeniently(const String& text, TComponent* root) {
  std::vector<String> skipped;
  ReadComponentFromText(text, root, [&](TReader*, const String& message, bool& handled) {
    skipped.push_back(message);
    handled = true;
  });
  return skipped;
}

String ReadError(const String& text, TComponent* root) {
  try {
    ReadComponentFromText(text, root);
  } catch (const EReadError& e) {
    return e.Message();
  } catch (const Exception& e) {
    return "wrong class: " + e.Message();
  }
  return "accepted";
}

}  // namespace

TEST(ReaderHooks, LenientReadSkipsExactlyTheBadPartsAndListsEachOnce) {
  TForm form(nullptr);
  std::vector<String> skipped = ReadLeniently(kForeignForm, &form);
  EXPECT_EQ((std::vector<String>{
                "Line 3: Error reading Form1.Unknown: Property Unknown does not exist in TForm",
                "Line 8: Error reading Panel1.Bogus: Property Bogus does not exist in TPanel",
                "Line 10: Class TFancyGauge not found",
                "Line 20: Error reading Button1.OnClick: Method NoSuchHandler not found in TForm",
                "Line 22: Error reading Button1.Width: Invalid value 2147483648 for property Width",
                "Line 25: A TMenuItem cannot be placed in Form1",
                "Line 29: A TButton cannot be placed in Timer1",
                "Line 33: A TEdit cannot be placed in Menu1",
                "Line 21: Unresolved component reference NoSuchMenu",
            }),
            skipped);

  EXPECT_EQ("Foreign", form.GetCaption());
  auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
  auto* button = dynamic_cast<TButton*>(form.FindComponent("Button1"));
  auto* timer = dynamic_cast<TTimer*>(form.FindComponent("Timer1"));
  auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("Menu1"));
  ASSERT_TRUE(panel && button && timer && menu);
  EXPECT_EQ(8, panel->GetLeft());
  EXPECT_EQ(9, panel->GetTop()) << "the value after a skipped binary block is read";
  EXPECT_EQ(panel, button->GetParent());
  EXPECT_EQ("OK", button->GetCaption());
  EXPECT_FALSE(button->GetOnClick().Assigned());
  EXPECT_EQ(250u, timer->GetInterval());
  ASSERT_EQ(1, menu->GetItems()->GetCount());
  EXPECT_EQ("Open", menu->GetItems()->GetItems(0)->GetCaption());
  for (const char* gone : {"Gauge1", "Inner", "Item1", "Button2", "Edit1"})
    EXPECT_EQ(nullptr, form.FindComponent(gone)) << gone;
  EXPECT_EQ(5, form.GetComponentCount());
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(button->IsLoading());

  // Strict (no handler, or one that leaves an error unhandled): the first error fails the read
  // and nothing made is left behind.
  TForm strict(nullptr);
  EXPECT_EQ("Line 3: Error reading Form1.Unknown: Property Unknown does not exist in TForm", ReadError(kForeignForm, &strict));
  EXPECT_EQ(0, strict.GetComponentCount());
  TForm partly(nullptr);
  try {
    ReadComponentFromText(kForeignForm, &partly, [](TReader*, const String& message, bool& handled) {
      handled = message.find("Class") == String::npos;
    });
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ("Line 10: Class TFancyGauge not found", e.Message());
  }
  EXPECT_EQ(0, partly.GetComponentCount());
}

TEST(ReaderHooks, ClassAndMethodLookupsCanBeRedirected) {
  const char text[] =
      "object Form1: TForm\r\n"
      "  object Gauge1: TFancyGauge\r\n"
      "    Caption = 'stand-in'\r\n"
      "    OnClick = GaugeClick\r\n"
      "  end\r\n"
      "end\r\n";
  TForm form(nullptr);
  TReader reader(text);
  std::vector<String> asked;
  reader.SetOnFindComponentClass([&](TReader*, const String& name, const TClassInfo*& info) {
    asked.push_back(name);
    if (!info) info = &TPanel::StaticClassInfo();
  });
  reader.SetOnFindMethod([&](TReader*, const String& name, bool& error) {
    asked.push_back(name);
    error = false;
  });
  reader.ReadRootComponent(&form);
  EXPECT_EQ((std::vector<String>{"TFancyGauge", "GaugeClick"}), asked);
  auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Gauge1"));
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ("stand-in", panel->GetCaption());
  EXPECT_FALSE(panel->GetOnClick().Assigned());
}

TEST(ReaderBadInput, DeepNestingOfObjectsCollectionsAndListsFailsNamingTheLine) {
  auto nested = [](const char* open, const char* close, int depth) {
    String text = "object Form1: TForm\r\n";
    for (int i = 0; i < depth; ++i) text += Format(open, i);
    for (int i = 0; i < depth; ++i) text += close;
    return text + "end\r\n";
  };
  TForm form(nullptr);
  EXPECT_EQ("Line 102: Objects nested too deeply", ReadError(nested("object P%d: TPanel\r\n", "end\r\n", 5000), &form));
  EXPECT_EQ("Line 102: Objects nested too deeply",
            ReadError("object Form1: TForm\r\nobject M: TPopupMenu\r\n" +
                          nested("object I%d: TMenuItem\r\n", "end\r\n", 5000).substr(21) + "end\r\n",
                      &form));
  EXPECT_EQ(0, form.GetComponentCount());
  // 100 levels are still a form.
  ReadComponentFromText(nested("object P%d: TPanel\r\n", "end\r\n", 99), &form);
  EXPECT_EQ(99, form.GetComponentCount());

  TForm values(nullptr);
  String collections = "object Form1: TForm\r\n  Caption = ";
  for (int i = 0; i < 3000; ++i) collections += "<item Caption = ";
  EXPECT_EQ("Line 2: Values nested too deeply", ReadError(collections, &values));
  EXPECT_EQ("Line 2: Values nested too deeply", ReadError("object Form1: TForm\r\n  Caption = " + String(5000, '('), &values));
}

TEST(ReaderBadInput, UnreadableOrTruncatedFilesFailAsReadErrorsAndFreeEverything) {
  TForm form(nullptr);
  EXPECT_EQ("Line 1: Unterminated string", ReadError("'", &form));
  EXPECT_EQ("Line 1: Invalid hexadecimal number", ReadError("$", &form));
  EXPECT_EQ("Line 1: Invalid character code in string", ReadError("#", &form));
  EXPECT_EQ("Line 1: object expected", ReadError("", &form));
  for (const char* first : {"'", "$", "#x", "\xEF\xBB\xBF'"}) {
    TComponent owner(nullptr);
    EXPECT_THROW(CreateComponentFromText(first, &owner), EReadError) << first;
  }

  // Every cut of a good file fails with a read error naming a line, and leaves nothing made.
  const String good =
      "object Form1: TForm\r\n  Caption = 'Cut'#8482\r\n  object Panel1: TPanel\r\n    Left = 4\r\n"
      "    object Button1: TButton\r\n      Caption = 'x' +\r\n        'y'\r\n    end\r\n  end\r\n"
      "  object Menu1: TPopupMenu\r\n    object Open1: TMenuItem\r\n    end\r\n  end\r\nend\r\n";
  size_t cuts = 0;
  for (size_t length = 0; length + 2 < good.size(); ++length) {
    TForm cut(nullptr);
    String message = ReadError(good.substr(0, length), &cut);
    if (message.rfind("Line ", 0) != 0) ADD_FAILURE() << length << ": " << message;
    EXPECT_EQ(0, cut.GetComponentCount()) << length;
    ++cuts;
  }
  EXPECT_GT(cuts, 200u);
  TForm whole(nullptr);
  ReadComponentFromText(good, &whole);
  EXPECT_EQ(4, whole.GetComponentCount());
}

TEST(ReaderStrings, CodesAbove255AndUtf8FilesBecomeAnsiText) {
  ASSERT_EQ(1252u, GetACP()) << "the expected bytes below are those of Windows-1252";
  TForm form(nullptr);
  ReadComponentFromText(
      "object Form1: TForm\r\n"
      "  Caption = 'Tovix'#8482' '#8594' '#233#0#255'x'\r\n"
      "  object Label1: TLabel\r\n"
      "    Caption = #55357#56832'|'#128512\r\n"
      "  end\r\n"
      "end\r\n",
      &form);
  EXPECT_EQ(String("Tovix\x99 ? \xE9", 10) + String(1, '\0') + "\xFFx", form.GetCaption());
  auto* label = dynamic_cast<TLabel*>(form.FindComponent("Label1"));
  ASSERT_NE(nullptr, label);
  String caption = label->GetCaption();
  size_t bar = caption.find('|');
  EXPECT_EQ(caption.substr(0, bar), caption.substr(bar + 1)) << "a code above 65535 reads as its surrogate pair";
  EXPECT_EQ(String::npos, caption.find_first_not_of("?|")) << caption;
  EXPECT_EQ("Line 4: Invalid character code in string", ReadError("object Form1: TForm\r\n\r\n\r\n  Caption = #1114112\r\nend", &form));

  TForm utf8(nullptr);
  ReadComponentFromText("\xEF\xBB\xBFobject Form1: TForm\r\n  Caption = 'Caf\xC3\xA9 \xE2\x84\xA2 \xE2\x86\x92'#233\r\nend\r\n", &utf8);
  EXPECT_EQ("Caf\xE9 \x99 ?\xE9", utf8.GetCaption());
}
