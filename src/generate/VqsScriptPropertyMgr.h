// The generate properties of scripted generations, kept by the application for the
// automation object and the generation client. A property is addressed by a path
// "SYSTEM.GENSET.Section.Name"; the names a generate set offers depend on its host type,
// declared in the string table ("Generate.CompileType=OBJ'Enum(OBJ,INT,GNT,DLL)"). Values
// set by a script are kept per path until cleared; a property never set reads as its
// declared default. Safe to call from several threads at once.
#pragma once

#include "generate/VqsScriptablePropertyValueType.h"
#include "vqclient/VqcScriptableGenPropertyMgr.h"
#include "win/CString.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class PxVQLink;

class VqsScriptPropertyMgr : public VqcScriptableGenPropertyMgr {
public:
    VqsScriptPropertyMgr();
    ~VqsScriptPropertyMgr() override;
    VqsScriptPropertyMgr(const VqsScriptPropertyMgr&) = delete;
    VqsScriptPropertyMgr& operator=(const VqsScriptPropertyMgr&) = delete;

    void ClearValues(PxVQLink* link, const char* path) override;
    void ListProperties(PxVQLink* link, const char* path, CStringArray& names) override;
    void SetValue(PxVQLink* link, const char* path, const char* value) override;
    // Checks the value as SetValue does, without storing it.
    void ValidateValue(PxVQLink* link, const char* path, const char* value);
    const char* GetPropertyName(UINT stringId) override;
    void GetValue(PxVQLink* link, const char* path, CString& value) override;
    void GetBool(PxVQLink* link, const char* path, BOOL& value) override;
    void GetInt(PxVQLink* link, const char* path, int& value) override;
    void GetDouble(PxVQLink* link, const char* path, double& value) override;
    void SetBool(PxVQLink* link, const char* path, const BOOL& value) override;
    void SetInt(PxVQLink* link, const char* path, const int& value) override;
    void SetDouble(PxVQLink* link, const char* path, const double& value) override;
    // A date not set (empty) leaves the value as it was.
    void GetDateTime(PxVQLink* link, const char* path, std::int64_t& value) override;
    void SetDateTime(PxVQLink* link, const char* path, const std::int64_t& value) override;

    // Splits a declaration "name=default'Type(values)" into its four parts; FALSE for an
    // empty text or one without "=".
    static BOOL ParseEntry(const CString& entry, CString& name, CString& defaultValue, CString& type,
                           CString& values);

private:
    // The declarations of one host type, in declaration order.
    using PropertyTable = std::vector<std::pair<std::string, std::unique_ptr<VqsScriptablePropertyValueType>>>;

    struct PathParts {
        CString system;
        CString genSet;
        CString hostOption;
        BOOL exact = FALSE;
        int hostType = 0;
    };

    // The four tables by host type and the property names by string id. Read from the
    // string table the first time it holds them (the resource library is named after the
    // manager is made), and never changed after that.
    struct Declarations {
        std::map<int, PropertyTable> tables;
        std::map<UINT, CString> names;
    };

    void RegisterPrototypes();
    std::shared_ptr<const Declarations> GetDeclarations();
    std::shared_ptr<Declarations> ReadDeclarations() const;
    void AddProperty(Declarations& declarations, PropertyTable& table, UINT id) const;
    static const VqsScriptablePropertyValueType* Find(const PropertyTable& table, const CString& name);

    BOOL CheckPath(PxVQLink* link, const CString& path, PathParts& parts, CString& error);
    BOOL CheckPathLocked(PxVQLink* link, const CString& path, PathParts& parts, CString& error);
    BOOL CheckHostOption(PathParts& parts, CString& error);
    // The path check of an operation on one property; the declaration's value type, kept
    // alive by `declarations`.
    const VqsScriptablePropertyValueType& ExactProperty(PxVQLink* link, const CString& path,
                                                        std::shared_ptr<const Declarations>& declarations);
    BOOL FindSetValue(const CString& path, CString& value) const;

    std::unordered_map<std::string, std::string> m_values;
    mutable std::mutex m_valuesMutex;
    std::vector<std::pair<std::string, std::unique_ptr<VqsScriptablePropertyValueType>>> m_prototypes;
    std::shared_ptr<const Declarations> m_declarations;
    std::mutex m_declarationsMutex;
    // The link is used by one thread at a time.
    std::mutex m_repositoryMutex;
};
