// Value sets of the generation side.
#pragma once

// Host types of hosts, option sets and option records.
enum VQHostType : int { VQHostNT = 0, VQHostQSR = 1, VQHostTarsk = 2, VQHostUnix = 3 };

// Pack types.
enum VQPackType : int { VQPackNotDefined = 0, VQPackPath = 1, VQPackTablespace = 2 };

// What a soft link was created for (the type CreateElementSoftLink takes).
enum VQSoftLinkType : int {
    VQSoftLinkBusinessSegment = 0,
    VQSoftLinkIspec = 1,
    VQSoftLinkReport = 2,
    VQSoftLinkProfile = 3,
    VQSoftLinkGlobalLogic = 4,
    VQSoftLinkSQLScript = 5,
};

// The usage of an Ispec soft link.
enum WYRIspecUsage : int {
    WYR_ISPEC_USAGE_NONE = 0,
    WYR_ISPEC_USAGE_INQUIRY = 1,
    WYR_ISPEC_USAGE_INPUT = 2,
    WYR_ISPEC_USAGE_OUTPUT = 3,
    WYR_ISPEC_USAGE_BOTH = 4,
};
