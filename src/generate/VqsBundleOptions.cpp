#include "generate/VqsBundleOptions.h"

bool VqsAllowsBundles(const PxBSegOptionsPtr& options) { return !options || options->GetActiveKESHCapable(); }
