// The data of one pack on one host: the pack's association on each platform. It goes
// with its pack and with its host.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

class PxVQHostPackData : public PxVQObject {
    PX_DECLARE_CLASS(PxVQHostPackData, PxVQObject)

    PxVQHostInformationPtr GetHostInformation() const;
    PxVQPackInformationPtr GetPackInformation() const;
    PxVQKeshPackAssociationNTPtr GetPackAssociationNT() const;
    PxVQKeshPackAssociationUnixPtr GetPackAssociationUnix() const;
    PxVQKeshPackAssociationTarskPtr GetPackAssociationTarsk() const;
    PxVQKeshPackAssociationAPtr GetPackAssociationA() const;

    // Makes the data of a pack on a host, with its four associations.
    static PxVQHostPackDataPtr Create(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host);

    // The list of a pack, and of a host, that holds the data.
    static constexpr const char* kRole = "hostPackData";

protected:
    PxVQHostPackData() = default;
};

// The association of a pack on an NT or Unix host: a path (at most 128 characters) and a
// table (at most 30).
class PxVQKeshPackAssociationNT : public PxVQObject {
    PX_DECLARE_CLASS(PxVQKeshPackAssociationNT, PxVQObject)

    PX_TEXT_GETTER(Path)
    PX_TEXT_GETTER(Table)
    void SetPath(const char* path);
    void SetTable(const char* table);

protected:
    PxVQKeshPackAssociationNT() = default;
};

class PxVQKeshPackAssociationUnix : public PxVQObject {
    PX_DECLARE_CLASS(PxVQKeshPackAssociationUnix, PxVQObject)

    PX_TEXT_GETTER(Path)
    PX_TEXT_GETTER(Table)
    void SetPath(const char* path);
    void SetTable(const char* table);

protected:
    PxVQKeshPackAssociationUnix() = default;
};

// The association of a pack on a Tarsk host: fixed-disk flag, equipment type, ACR name and
// pack ids 1 to 8 (texts of at most 6 characters).
class PxVQKeshPackAssociationTarsk : public PxVQObject {
    PX_DECLARE_CLASS(PxVQKeshPackAssociationTarsk, PxVQObject)

    PX_VALUE_PROPERTY(int, FixedDisk)
    PX_TEXT_GETTER(EquipmentType)
    PX_TEXT_GETTER(AcrName)
    void SetEquipmentType(const char* type);
    void SetAcrName(const char* name);
    CString GetPackId(int number) const;
    void SetPackId(int number, const char* id);

protected:
    PxVQKeshPackAssociationTarsk() = default;
};

// The association of a pack on the remaining platform; it holds nothing of its own.
class PxVQKeshPackAssociationA : public PxVQObject {
    PX_DECLARE_CLASS(PxVQKeshPackAssociationA, PxVQObject)

protected:
    PxVQKeshPackAssociationA() = default;
};
