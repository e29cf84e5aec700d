// Form files cut, duplicated, flipped, with huge numbers and stray punctuation, read into a form:
// each is read whole or refused with the framework's exception, and a refused one leaves no
// component behind.
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/fuzz/Fuzz.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

String SampleForm(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) throw Exception(Format("No sample form %s", name));
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
  return String(bytes, SizeofResource(module, resource));
}

// Reads text into a new form; a refused text must leave the form as it was.
void ReadIntoAForm(const String& text) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  int before = form->GetComponentCount();
  try {
    ReadComponentFromText(text, form.get());
  } catch (const Exception&) {
    EXPECT_EQ(before, form->GetComponentCount()) << "components left behind by a refused form file";
    throw;
  }
}

// Objects nested depth levels deep, each a panel.
String NestedPanels(int depth) {
  String text = "object FuzzForm: TForm\r\n";
  for (int i = 0; i < depth; ++i) text += "object P" + IntToStr(i) + ": TPanel\r\n";
  for (int i = 0; i < depth; ++i) text += "end\r\n";
  return text + "end\r\n";
}

}  // namespace

TEST(FormFileFuzz, MutatedFormsAreReadOrRefusedCleanly) {
  FuzzCount count("form files");
  for (const char* name : {"FUZZFORMSETTINGS", "FUZZFORMNESTED"}) {
    const String sample = SampleForm(name);
    ASSERT_NO_THROW(ReadIntoAForm(sample)) << name << " must itself be a good form file";
    Mutator mutator(0xF0A3u + static_cast<uint32_t>(sample.size()));
    for (int round = 0; round < 80 * FuzzScale(); ++round) {
      String text = mutator.Mutate(sample, 2);
      count.Run(Format("%s round %d", name, round), [&] { ReadIntoAForm(text); });
    }
  }
  // Nesting that real forms reach, and more (the reader refuses beyond a hundred levels).
  for (int depth : {1, 16, 64}) count.Run(Format("%d nested panels", depth), [&] { ReadIntoAForm(NestedPanels(depth)); });
}

// Each nested object costs the reader a stack frame: deep nesting must be refused with the
// line, not overflow the stack.
TEST(FormFileFuzz, DeeplyNestedObjectsAreRefusedNotOverflowed) {
  FuzzCount count("deeply nested form files");
  for (int depth : {5000, 100000}) count.Run(Format("%d nested panels", depth), [&] {
    EXPECT_THROW(ReadIntoAForm(NestedPanels(depth)), EReadError);
  });
}
