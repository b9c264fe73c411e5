#include "proxy/PxVQHostInformation.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQHostPackData.h"

#include <string>

PX_IMPLEMENT_CLASS(PxVQHostInformation, PxKindHost)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQHostInformation, Name, "name")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQHostInformation, int, HostType, "hostType")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQHostInformation, Address, "address")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQHostInformation, LONG, PortNumber, "portNumber")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQHostInformation, FtpUserid, "ftpUserid")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQHostInformation, int, Qsr_kana_Mode, "qsrKanaMode")

namespace {

// The library's enciphering: each byte mixed with a rolling key, written as hex digits.
constexpr unsigned char kKey[] = {0x5A, 0xC3, 0x17, 0x8E, 0x2B, 0xF0, 0x64, 0x9D};
constexpr char kDigits[] = "0123456789ABCDEF";

std::string Encipher(const std::string& plain)
{
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(plain[i]) ^ kKey[i % sizeof(kKey)];
        out += kDigits[c >> 4];
        out += kDigits[c & 0xF];
    }
    return out;
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Decipher(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        int high = DigitValue(hex[i]);
        int low = DigitValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::string();
        out += static_cast<char>((high << 4 | low) ^ kKey[(i / 2) % sizeof(kKey)]);
    }
    return out;
}

} // namespace

void PxVQHostInformation::SetFtpPassword(const char* password, int encipher)
{
    Enter("PxVQHostInformation::SetFtpPassword");
    std::string plain = password ? password : "";
    SetAttributeText("ftpPassword", encipher ? Encipher(plain).c_str() : plain.c_str());
    SetAttributeInt("ftpPasswordEnciphered", encipher ? 1 : 0);
}

CString PxVQHostInformation::GetFtpPassword(int enciphered) const
{
    Enter("PxVQHostInformation::GetFtpPassword");
    std::string stored = GetAttributeText("ftpPassword").str();
    if (enciphered && GetAttributeInt("ftpPasswordEnciphered"))
        return CString(Decipher(stored));
    return CString(stored);
}

void PxVQHostInformation::GetListOfHostPackData(PxTypedList<PxVQHostPackDataPtr>& entries) const
{
    ReadList("PxVQHostInformation::GetListOfHostPackData", PxVQHostPackData::kRole, entries);
}
