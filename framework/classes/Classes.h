// The Classes unit: lists, string lists, streams, persistent objects, components, form files,
// the exceptions they raise, and hidden utility windows.
#pragma once

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/Exceptions.h"
#include "framework/classes/Filer.h"
#include "framework/classes/List.h"
#include "framework/classes/Parser.h"
#include "framework/classes/Persistent.h"
#include "framework/classes/Streams.h"
#include "framework/classes/Strings.h"
#include "framework/classes/Alignment.h"
#include "framework/classes/UtilityWindow.h"
