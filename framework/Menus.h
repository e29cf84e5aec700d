// The Menus unit: TMenuItem and TPopupMenu.
#pragma once

#include "framework/controls/Menus.h"
