// Exceptions of the Graphics unit.
#pragma once

#include "framework/classes/Exceptions.h"

namespace Tovix {

// Picture data that cannot be read: a damaged or unsupported file or resource.
TOVIX_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
// An operation a graphic or canvas cannot do: a bad index or size, drawing without a device context.
TOVIX_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
// The system refused to make a GDI or USER object.
TOVIX_DECLARE_EXCEPTION(EOutOfResources, Exception);

}  // namespace Tovix
