// The enumerations of the library that option values take.
#pragma once

// Colour indexes of the painter colours.
enum PxEnumBColor : int {
    PxBColorBlack = 0,
    PxBColorWhite = 1,
    PxBColorGreen = 2,
    PxBColorRed = 3,
    PxBColorBlue = 4,
    PxBColorYellow = 5,
    PxBColorMagenta = 6,
    PxBColorCyan = 7,
};
