// Part of the layering check's own test: a low layer that reaches up.
#pragma once

#include "framework/forms/High.h"
