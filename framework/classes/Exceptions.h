// Exceptions of the Classes unit.
#pragma once

#include "framework/system/SysUtils.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EListError, Exception);
TOVIX_DECLARE_EXCEPTION(EStringListError, Exception);
TOVIX_DECLARE_EXCEPTION(EStreamError, Exception);
TOVIX_DECLARE_EXCEPTION(EFCreateError, EStreamError);
TOVIX_DECLARE_EXCEPTION(EFOpenError, EStreamError);
TOVIX_DECLARE_EXCEPTION(EFilerError, EStreamError);
TOVIX_DECLARE_EXCEPTION(EReadError, EFilerError);
TOVIX_DECLARE_EXCEPTION(EWriteError, EFilerError);
TOVIX_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
TOVIX_DECLARE_EXCEPTION(EComponentError, Exception);
TOVIX_DECLARE_EXCEPTION(EParserError, Exception);
// A resource that a form, bitmap or icon needs is not in the module.
TOVIX_DECLARE_EXCEPTION(EResNotFound, Exception);

}  // namespace Tovix
