// The Dialogs unit: components for the system's common dialogs (TOpenDialog), and the
// framework's own message and input dialogs.
#pragma once

#include "framework/DialogsCommon.h"
#include "framework/DialogsInput.h"
#include "framework/DialogsMessage.h"
#include "framework/DialogsOpen.h"
