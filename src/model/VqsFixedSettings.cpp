#include "model/VqsFixedSettings.h"

#include "win/PrivateProfile.h"

#include <cstdlib>

namespace {

const char kFile[] = "./KESH.INI";
const char kSection[] = "Tamberlyn";

CString ReadText(const char* key, const char* defaultValue, DWORD size)
{
    CString value;
    GetPrivateProfileStringA(kSection, key, defaultValue, value.GetBuffer(static_cast<int>(size)), size, kFile);
    value.ReleaseBuffer();
    return value;
}

} // namespace

bool VqsNonAdminCanDeleteGenSets() { return ReadText("NonAdminCanDelGS", "N", 2) == "Y"; }

bool VqsLogGenerateMessages()
{
    CString value = ReadText("LogGenerateMessages", "N", 2);
    value.MakeUpper();
    return value == "Y" || value == "YES";
}

CString VqsTemporaryFilePath()
{
    const char* temp = std::getenv("TEMP");
    return ReadText("TemporaryFilePath", temp ? temp : "", 256);
}
