// The DesignIntf unit: design-time registration of components and component editors.
#pragma once

#include "framework/design/ComponentEditor.h"
#include "framework/design/Registration.h"
#include "framework/design/Package.h"
