// The system's default beep, for controls that refuse a key or confirm a choice audibly.
#pragma once

namespace Tovix {

// Sounds the system's default beep (MessageBeep(0)) and returns at once.
void Beep();

}  // namespace Tovix
