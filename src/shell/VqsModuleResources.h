// The resources compiled into the module: its accelerator tables and the texts it may show
// before the host has named a resource library.
#pragma once

#include "win/ModuleResources.h"

const ModuleResources& VqsGetModuleResources();
