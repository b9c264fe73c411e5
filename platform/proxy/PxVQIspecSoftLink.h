// The soft link of a design Ispec: its usage (WYRIspecUsage 0 none, 1 inquiry, 2 input,
// 3 output, 4 both), its type (0 event; components 1 standard, 2 memo, 3 table,
// 4 direct; 5 other Ispecs), its bundle entries and the profile links over it.
//
// The option records of an Ispec link follow its type: event records for type 0,
// component records for 1 to 4, plain Ispec records otherwise. Records made before the
// type was set are made again, blank, when the type moves the link to another of these.
#pragma once

#include "proxy/PxVQElementSoftLink.h"

class PxVQIspecSoftLink : public PxVQElementSoftLink {
    PX_DECLARE_CLASS(PxVQIspecSoftLink, PxVQElementSoftLink)

    PX_VALUE_PROPERTY(int, IspecUsage)
    int GetIspecType() const;
    void SetIspecType(int type);
    PX_VALUE_PROPERTY(int, ExternalOnlyIspec)
    // Comma-terminated names of the Ispec's data items and filler data items.
    PX_TEXT_PROPERTY(IspecDataItems)
    PX_TEXT_PROPERTY(IspecFillerDataItems)

    void GetListOfIspecBundleData(PxTypedList<PxVQIspecBundleDataPtr>& entries) const;
    // Takes the Ispec out of the bundle; nothing when it is not in it.
    void DeleteIspecBundleData(const PxVQBundlePtr& bundle);
    // The profile links whose component is this Ispec.
    void GetListOfProfileSoftLinks(PxTypedList<PxVQProfileSoftLinkPtr>& profiles) const;
    // The profile links over each of the Ispec links, as GetListOfProfileSoftLinks gives
    // them, read together.
    static std::vector<std::vector<PxObjectPtr>> ProfileSoftLinksOf(const std::vector<PxObjectPtr>& ispecs);
    // The same read, to be read with others (PxObject::ReadMembersOfEach).
    static MembersAsked ProfileSoftLinksAsked(const std::vector<PxObjectPtr>& ispecs);
    // The number of profile links over each of these Ispec links, read together.
    static std::vector<int> CountsOfProfileSoftLinks(const std::vector<PxObjectPtr>& ispecLinks);

    // The removal test: an Ispec link may go with its last explicit bundle entry only when
    // it is no longer in use (its unused mark is set).
    BOOL IsRemovable() const;

    int GetElementType() const override;

protected:
    PxVQIspecSoftLink() = default;
};
