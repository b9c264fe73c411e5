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

// Recovery of a Tarsk system.
enum PxEnumRecovery : int {
    PxRecoveryQuicklooks = 0,
    PxRecoveryDeferredUpdate = 1,
};

// Audited and keep-assigned settings of Tarsk databases.
enum PxEnumBSAudited : int {
    PxBSAuditedDefault = 0,
    PxBSAuditedYes = 1,
    PxBSAuditedNo = 2,
};

// The medium the QSR audit trail is copied to.
enum PxEnumCopyAudit2tape : int {
    PxCopyAudit2tapeNone = 0,
    PxCopyAudit2tapeQicTape1250 = 1,
    PxCopyAudit2tapeTape = 2,
    PxCopyAudit2tapeGcrTape6250Reel2200 = 3,
    PxCopyAudit2tapeGcrTape6250Reel3200 = 4,
    PxCopyAudit2tapeHS8500Cartridge = 5,
    PxCopyAudit2tapeTape38000Cartridge = 6,
    PxCopyAudit2tapeTape1600Reel2200 = 7,
    PxCopyAudit2tapeUserDefined = 8,
};

// How a QSR database reorganisation runs.
enum PxEnumNoRestartOnReorg : int {
    PxNoRestartOnReorgKoraxOffline = 0,
    PxNoRestartOnReorgOfflineNoPostdump = 1,
    PxNoRestartOnReorgOnline = 2,
};

// File transmission mode of a QSR remote database.
enum PxEnumConfigFTMode : int {
    PxConfigFTModeAuditBlockWrite = 0,
    PxConfigFTModeAuditFileSwitch = 1,
    PxConfigFTModeServerCapable = 2,
    PxConfigFTModeNotServerCapable = 3,
};

// File transfer method of a QSR remote database.
enum PxEnumConfigFTOption : int {
    PxConfigFTOptionVelquist = 0,
    PxConfigFTOptionNative = 1,
};

// Error handling of a QSR remote database.
enum PxEnumConfigErrorHandling : int {
    PxConfigErrorHandlingConnectionDropped = 0,
    PxConfigErrorHandlingOperatorIntervention = 1,
};

// Where a QSR remote database dump goes.
enum PxEnumConfigDumpKind : int {
    PxConfigDumpKindOnTape = 0,
    PxConfigDumpKindOnPack = 1,
};

// Order of duplicate keys of a QSR profile.
enum PxEnumDupOrder : int {
    PxDupOrderFirst = 0,
    PxDupOrderLast = 1,
    PxDupOrderNoSpecificOrder = 2,
};

// How much of a QSR profile is kept in memory.
enum PxEnumMemoryResident : int {
    PxMemoryResidentCoarse = 0,
    PxMemoryResidentAll = 1,
    PxMemoryResidentNone = 2,
};
