// The product's name and version, as the version library gives them.
#pragma once

#include "win/CString.h"

CString VqsGetProductName();
CString VqsGetProductVersion();
