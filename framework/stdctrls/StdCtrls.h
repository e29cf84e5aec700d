// The StdCtrls unit: the standard controls built on the system's EDIT, BUTTON, COMBOBOX and
// LISTBOX controls, and the label and group box the framework paints itself.
#pragma once

#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/Items.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/StdTypes.h"
