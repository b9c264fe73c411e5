// A host that generations run on: its type (0 NT, 1 QSR, 2 Tarsk, 3 Unix), its address
// and the FTP account used to reach it.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

class PxVQHostInformation : public PxVQObject {
    PX_DECLARE_CLASS(PxVQHostInformation, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_VALUE_PROPERTY(int, HostType)
    PX_TEXT_PROPERTY(Address)
    PX_VALUE_PROPERTY(LONG, PortNumber)
    PX_TEXT_PROPERTY(FtpUserid)
    PX_VALUE_PROPERTY(int, Qsr_kana_Mode)
    // With `encipher` nonzero the password is kept enciphered; reading it with
    // `enciphered` nonzero deciphers a password kept so. A password kept plain reads the
    // same either way.
    void SetFtpPassword(const char* password, int encipher);
    CString GetFtpPassword(int enciphered) const;

    // The host's data for each pack.
    void GetListOfHostPackData(PxTypedList<PxVQHostPackDataPtr>& entries) const;

protected:
    PxVQHostInformation() = default;
};
