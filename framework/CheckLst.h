// The CheckLst unit: TCheckListBox.
#pragma once

#include "framework/stdctrls/CheckListBox.h"
