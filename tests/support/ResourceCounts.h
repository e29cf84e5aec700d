// Counting what a leak would leave behind: the process's GDI objects and the thread's windows.
#pragma once

namespace Tovix::Testing {

// The live GDI objects of this process, counted in the handle table the system maps into every
// process (PEB GdiSharedHandleTable, 24-byte entries on 64-bit Windows and on Wine). Wine's
// GetGuiResources is a stub that answers 0, so this is what shows a leak there. -1 on 32 bits.
int CountGdiObjects();

// The windows of this thread: top-level ones and all their descendants.
int CountThreadWindows();

}  // namespace Tovix::Testing
