// The pages of the NT and Unix element sheets and the Unix business segment's database
// pages. The environment pages show the platform-neutral options of their element (the
// platform's own options join them later); the Generate page of an NT component and the
// Unix database storage ("Oracle") and partition pages are tabs without controls yet.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "options/VqsOptionPagesIspec.h"
#include "options/VqsOptionPagesProfileReport.h"

#include <cstdint>

class VqsOptionPageNTUnixShell : public VqsTableOptionPage {
public:
    VqsOptionPageNTUnixShell(VqsOptionsSheet* sheet, UINT dialogId, UINT captionId, int pageIndex)
        : VqsTableOptionPage(sheet, dialogId, captionId, pageIndex)
    {
    }
};

// Answers for the component's cluster index.
class VqsOptionPageNTComponentGenerate : public VqsOptionPageNTUnixShell {
public:
    VqsOptionPageNTComponentGenerate(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};

// The "Oracle" pages of a Unix business segment, component and profile. Without controls
// yet, they still answer for the record's storage options: "Defaults" drops them.
class VqsOptionPageUnixOracledb : public VqsOptionPageNTUnixShell {
public:
    VqsOptionPageUnixOracledb(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};

// The "Oracle Partitions" pages of a Unix business segment, component and profile; they
// answer for the partition types, columns and partition records.
class VqsOptionPageUnixPartition : public VqsOptionPageNTUnixShell {
public:
    VqsOptionPageUnixPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};

class VqsOptionPageUnixBSegOracledb : public VqsOptionPageUnixOracledb {
public:
    using VqsOptionPageUnixOracledb::VqsOptionPageUnixOracledb;
};
class VqsOptionPageUnixBSegPartition : public VqsOptionPageUnixPartition {
public:
    using VqsOptionPageUnixPartition::VqsOptionPageUnixPartition;
};
class VqsOptionPageUnixComponentOracledb : public VqsOptionPageUnixOracledb {
public:
    using VqsOptionPageUnixOracledb::VqsOptionPageUnixOracledb;
};
class VqsOptionPageUnixComponentPartition : public VqsOptionPageUnixPartition {
public:
    using VqsOptionPageUnixPartition::VqsOptionPageUnixPartition;
};
class VqsOptionPageUnixProfileOracledb : public VqsOptionPageUnixOracledb {
public:
    using VqsOptionPageUnixOracledb::VqsOptionPageUnixOracledb;
};
class VqsOptionPageUnixProfilePartition : public VqsOptionPageUnixPartition {
public:
    using VqsOptionPageUnixPartition::VqsOptionPageUnixPartition;
};

// The environment pages of components and events answer for the record's options that
// their platform pages show (privilege, pack, expected number or volume, user-maintained,
// the Unix multiple record maxima), so that none of them is taken for a default.
class VqsOptionPageNTComponentEnv : public VqsOptionPageIspecEnv {
public:
    using VqsOptionPageIspecEnv::VqsOptionPageIspecEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};
class VqsOptionPageUnixComponentEnv : public VqsOptionPageIspecEnv {
public:
    using VqsOptionPageIspecEnv::VqsOptionPageIspecEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};
class VqsOptionPageNTEventEnv : public VqsOptionPageIspecEnv {
public:
    using VqsOptionPageIspecEnv::VqsOptionPageIspecEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};
class VqsOptionPageUnixEventEnv : public VqsOptionPageIspecEnv {
public:
    using VqsOptionPageIspecEnv::VqsOptionPageIspecEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};

class VqsOptionPageNTProfileEnv : public VqsOptionPageProfileEnv {
public:
    using VqsOptionPageProfileEnv::VqsOptionPageProfileEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};

// What the Unix profile's database storage page takes over at the table of the profile
// itself: the pack, whether it is the default, and the expected number, as this page shows
// them, or as the record holds them while the page has no window.
class VqsOptionPageUnixProfileEnv : public VqsOptionPageProfileEnv {
public:
    using VqsOptionPageProfileEnv::VqsOptionPageProfileEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    CString GetPackText() const;
    BOOL IsPackDefault() const;
    std::int64_t GetExpectedNumber() const;
};

class VqsOptionPageNTReportEnv : public VqsOptionPageReportEnv {
public:
    using VqsOptionPageReportEnv::VqsOptionPageReportEnv;
};
// Answers for the roll-back segment name.
class VqsOptionPageUnixReportEnv : public VqsOptionPageReportEnv {
public:
    using VqsOptionPageReportEnv::VqsOptionPageReportEnv;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};
class VqsOptionPageNTReportExtractFile : public VqsOptionPageReportExtractFile {
public:
    using VqsOptionPageReportExtractFile::VqsOptionPageReportExtractFile;
};
// Answers for the records per block of every extract file.
class VqsOptionPageUnixReportExtractFile : public VqsOptionPageReportExtractFile {
public:
    using VqsOptionPageReportExtractFile::VqsOptionPageReportExtractFile;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
};
class VqsOptionPageNTReportGenerate : public VqsOptionPageReportGenerate {
public:
    using VqsOptionPageReportGenerate::VqsOptionPageReportGenerate;
};
class VqsOptionPageUnixReportGenerate : public VqsOptionPageReportGenerate {
public:
    using VqsOptionPageReportGenerate::VqsOptionPageReportGenerate;
};
