// The enumerations that options of the NT and Unix records take.
#pragma once

// The kind of object file a business segment's programs are compiled to by default.
enum PxEnumCompileType : int {
    PxCompileTypeOBJ = 0,
    PxCompileTypeINT = 1,
    PxCompileTypeGNT = 2,
    PxCompileTypeDLL = 3,
};
