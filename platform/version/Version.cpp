#include "version/Version.h"

CString VerProductName() { return "Wrenfield"; }

CString VerProductVersion() { return "1.0.0"; }
