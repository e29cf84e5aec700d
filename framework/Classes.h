// The Classes unit: lists, string lists and the exceptions raised by them and by streams.
#pragma once

#include "framework/ClassesExceptions.h"
#include "framework/ClassesList.h"
#include "framework/ClassesStrings.h"
