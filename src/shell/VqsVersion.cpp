#include "shell/VqsVersion.h"

#include "version/Version.h"

CString VqsGetProductName() { return VerProductName(); }

CString VqsGetProductVersion() { return VerProductVersion(); }
