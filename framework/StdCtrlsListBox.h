// List boxes (TCustomListBox, TListBox).
#pragma once

#include "framework/stdctrls/ListBox.h"
