// The Dialogs unit: components for the system's common dialogs (TOpenDialog), and the
// framework's own message and input dialogs.
#pragma once

#include "framework/dialogs/CommonDialog.h"
#include "framework/dialogs/InputQuery.h"
#include "framework/dialogs/MessageDlg.h"
#include "framework/dialogs/OpenDialog.h"
