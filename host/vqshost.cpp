// Stand-in host IDE.
#include "version/Version.h"

#include <cstdio>

int main()
{
    std::printf("%s %s\n", VerProductName().GetString(), VerProductVersion().GetString());
    return 0;
}
