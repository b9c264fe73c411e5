// Stand-in for the version library: the product's name and version texts.
#pragma once

#include "win/CString.h"

CString VerProductName();
CString VerProductVersion();
