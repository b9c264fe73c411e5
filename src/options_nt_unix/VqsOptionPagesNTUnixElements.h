// The pages of the NT and Unix element sheets and the Unix business segment's database
// pages.
#pragma once

#include "options_nt_unix/VqsOptionPageUnixOracledb.h"
#include "options_nt_unix/VqsOptionPageUnixPartition.h"
#include "options_nt_unix/VqsOptionPagesNTUnixEnvironment.h"
