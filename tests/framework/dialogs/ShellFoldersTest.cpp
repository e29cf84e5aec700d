// The shell's item identifier lists: owned, and freed with the shell's allocator.
#include <gtest/gtest.h>

#include "framework/dialogs/ShellFolders.h"
#include "tests/support/MallocSpy.h"

using namespace Tovix;
using namespace Tovix::Testing;

TEST(ShellFoldersTest, EveryListHandedOutIsFreedWithTheShellAllocatorOnce) {
  MallocSpy spy;
  {
    HRESULT result = E_FAIL;
    TItemIdList drives = ShellSpecialFolder(nullptr, CSIDL_DRIVES, &result);
    EXPECT_EQ(S_OK, result);
    ASSERT_TRUE(drives);
    TItemIdList moved = std::move(drives);
    EXPECT_FALSE(drives);
    EXPECT_TRUE(moved);
    moved = ShellSpecialFolder(nullptr, CSIDL_DESKTOP);  // frees the list it held
    EXPECT_TRUE(moved);
    TItemIdList none = ShellSpecialFolder(nullptr, 0x7F, &result);
    EXPECT_TRUE(FAILED(result));
    EXPECT_FALSE(none);

    TShellMalloc malloc;
    ASSERT_TRUE(malloc.Assigned());
    TShellBuffer buffer(malloc, MAX_PATH);
    EXPECT_NE(nullptr, buffer.Data());
    EXPECT_GE(spy.Allocations(), 3);
  }
  EXPECT_EQ(0, spy.Outstanding());
}
