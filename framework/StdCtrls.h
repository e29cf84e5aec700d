// The StdCtrls unit: the standard controls built on the system's EDIT, BUTTON, COMBOBOX and
// LISTBOX controls, and the label and group box the framework paints itself.
#pragma once

#include "framework/StdCtrlsButton.h"
#include "framework/StdCtrlsCheckBox.h"
#include "framework/StdCtrlsComboBox.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsGroupBox.h"
#include "framework/StdCtrlsItems.h"
#include "framework/StdCtrlsLabel.h"
#include "framework/StdCtrlsListBox.h"
#include "framework/StdCtrlsMemo.h"
#include "framework/StdCtrlsTypes.h"
