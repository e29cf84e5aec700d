// The Classes unit: lists, string lists, streams, persistent objects, components, form files,
// the exceptions they raise, and hidden utility windows.
#pragma once

#include "framework/ClassesComponent.h"
#include "framework/ClassesExceptions.h"
#include "framework/ClassesFiler.h"
#include "framework/ClassesList.h"
#include "framework/ClassesParser.h"
#include "framework/ClassesPersistent.h"
#include "framework/ClassesStreams.h"
#include "framework/ClassesStrings.h"
#include "framework/ClassesTypes.h"
#include "framework/ClassesWindows.h"
