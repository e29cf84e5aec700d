// The StdCtrls unit: edits, memos, labels, buttons, check boxes, combo and list boxes, group boxes.
#pragma once

#include "framework/stdctrls/StdCtrls.h"
