// What a generate set's business-segment options say about bundle generation, for every path
// that generates or compares a bundle (the view's commands and the automation object).
#pragma once

#include "proxy/PxBSegOptions.h"

// False when the options refuse bundle generation (61909 tells the user so); a set without
// business-segment options allows it.
bool VqsAllowsBundles(const PxBSegOptionsPtr& options);
