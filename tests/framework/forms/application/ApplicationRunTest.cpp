// The application's run loop ends for good, so it is tested in a program of its own.
#include <gtest/gtest.h>

#include "framework/Forms.h"

using namespace Tovix;

namespace {

void CALLBACK CloseMainForm(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  Application->GetMainForm()->Close();
}

}  // namespace

TEST(ApplicationRun, ShowsTheMainFormAndEndsWhenItCloses) {
  Application->SetTitle("Tovix run test");
  TForm* second = nullptr;
  TForm* main = Application->CreateForm<TForm>();
  Application->CreateForm<TForm>(&second);
  EXPECT_EQ(main, Application->GetMainForm()) << "the first form made is the main form";
  EXPECT_NE(main, second);
  bool shown = false;
  main->SetOnShow([&](TObject*) {
    shown = true;
    SetTimer(nullptr, 0, 10, CloseMainForm);
  });
  Application->Run();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Application->GetTerminated());
  char title[64] = {};
  GetWindowTextA(Application->GetHandle(), title, sizeof title);
  EXPECT_STREQ("Tovix run test", title);
  EXPECT_EQ(Application->GetHandle(), GetWindow(main->GetHandle(), GW_OWNER));
}
