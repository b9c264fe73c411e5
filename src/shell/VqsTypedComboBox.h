// Combo boxes that hold repository objects: each item carries a heap copy of its object's
// smart pointer as item data, owned by the box. A subclass per object kind gives the item
// text and, for packs and soft links, an object image. The dialog templates make these boxes
// sorted drop-down lists, so the blank entry (one space) comes first and the objects follow
// in the order of their texts.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CComboBox.h"
#include "win/CString.h"

constexpr UINT IDS_CANNOT_FILL_LIST = 61497;

// What the box draws for one item, the parts that do not depend on the object's kind.
struct VqsComboItemLook {
    BOOL present = FALSE;
    BOOL hasImage = FALSE;
    VqsImageRef image;
};
void VqsDrawComboItem(CComboBox* box, LPDRAWITEMSTRUCT dis, const VqsComboItemLook& look);
void VqsMeasureComboItem(CComboBox* box, LPMEASUREITEMSTRUCT mis);

template <class T>
class VqsTypedComboBox : public CComboBox {
public:
    explicit VqsTypedComboBox(int addBlank) : m_bAddBlank(addBlank) {}
    ~VqsTypedComboBox() override { DeleteItems(); }

    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        const int item = static_cast<int>(dis->itemID);
        const T* object = item >= 0 ? reinterpret_cast<const T*>(dis->itemData) : nullptr;
        VqsComboItemLook look;
        if (object) {
            look.present = IsPresent(*object);
            look.hasImage = GetItemImageSafely(*object, &look.image);
        }
        VqsDrawComboItem(this, dis, look);
    }

    void MeasureItem(LPMEASUREITEMSTRUCT mis) override { VqsMeasureComboItem(this, mis); }

    virtual CString GetItemText(const T& object) = 0;
    virtual BOOL GetItemImage(const T& /*object*/, VqsImageRef* /*image*/) { return FALSE; }

    // Empties the box and lists the objects, selecting the one with the current object's
    // oid (the blank entry when there is one and the current object is null). FALSE when
    // the box refuses an item (those added stay) or the repository fails (shown).
    BOOL Fill(const PxTypedList<T>& objects, const T& current)
    {
        ResetContent();
        DeleteItems();
        try {
            if (m_bAddBlank)
                AddBlank(current);
            const CList<T, const T&>& list = objects;
            for (POSITION pos = list.GetHeadPosition(); pos;) {
                const T& object = list.GetNext(pos);
                const int index = AddString(GetItemText(object));
                if (index < 0)
                    return FALSE;
                T* copy = new T(object);
                m_items.AddTail(copy);
                SetItemDataPtr(index, copy);
                if (current && object && current->IsSameOid(object))
                    SetCurSel(index);
            }
        } catch (const VqException& error) {
            ShowErrorById(IDS_CANNOT_FILL_LIST, error);
            return FALSE;
        }
        return TRUE;
    }

    // Null when nothing or the blank entry is selected.
    T GetSelected() const
    {
        const int selected = GetCurSel();
        if (selected < 0)
            return T();
        const T* object = static_cast<const T*>(GetItemDataPtr(selected));
        return object ? *object : T();
    }

private:
    void AddBlank(const T& current)
    {
        const int index = AddString(" ");
        if (index < 0)
            return;
        SetItemData(index, 0);
        if (!current)
            SetCurSel(index);
    }

    void DeleteItems()
    {
        while (!m_items.IsEmpty())
            delete m_items.RemoveHead();
    }

    static BOOL IsPresent(const T& object)
    {
        try {
            return object && object->ObjectPresent();
        } catch (const VqException&) {
            return FALSE;
        }
    }

    // Drawing never fails: an image the repository cannot tell keeps what was set so far.
    BOOL GetItemImageSafely(const T& object, VqsImageRef* image)
    {
        try {
            return GetItemImage(object, image);
        } catch (const VqException&) {
            return TRUE;
        }
    }

    PxTypedList<T*> m_items;
    int m_bAddBlank;
};

class VqsTypedComboBox_Host : public VqsTypedComboBox<PxVQHostInformationPtr> {
public:
    explicit VqsTypedComboBox_Host(int addBlank) : VqsTypedComboBox(addBlank) {}
    CString GetItemText(const PxVQHostInformationPtr& host) override;
};

class VqsTypedComboBox_Pack : public VqsTypedComboBox<PxVQPackInformationPtr> {
public:
    explicit VqsTypedComboBox_Pack(int addBlank) : VqsTypedComboBox(addBlank) {}
    CString GetItemText(const PxVQPackInformationPtr& pack) override;
    BOOL GetItemImage(const PxVQPackInformationPtr& pack, VqsImageRef* image) override;
};

// A box of objects shown by name alone.
template <class T>
class VqsTypedComboBox_Named : public VqsTypedComboBox<T> {
public:
    explicit VqsTypedComboBox_Named(int addBlank = 0) : VqsTypedComboBox<T>(addBlank) {}
    CString GetItemText(const T& object) override { return VqsShownName(object); }
};

using VqsTypedComboBox_OSet = VqsTypedComboBox_Named<PxVQOptionSetPtr>;
using VqsTypedComboBox_GenSet = VqsTypedComboBox_Named<PxVQGenSetPtr>;
using VqsTypedComboBox_RepGroup = VqsTypedComboBox_Named<PxVQReportGroupPtr>;
using VqsTypedComboBox_Bundle = VqsTypedComboBox_Named<PxVQBundlePtr>;
using VqsTypedComboBox_System = VqsTypedComboBox_Named<PxVQSystemPtr>;

class VqsTypedComboBox_ReportSoftLink : public VqsTypedComboBox<PxVQReportSoftLinkPtr> {
public:
    explicit VqsTypedComboBox_ReportSoftLink(int addBlank) : VqsTypedComboBox(addBlank) {}
    CString GetItemText(const PxVQReportSoftLinkPtr& link) override;
    BOOL GetItemImage(const PxVQReportSoftLinkPtr& link, VqsImageRef* image) override;
};

class VqsTypedComboBox_SoftLink : public VqsTypedComboBox<PxVQSoftLinkPtr> {
public:
    explicit VqsTypedComboBox_SoftLink(int addBlank) : VqsTypedComboBox(addBlank) {}
    // A profile over a component reads "COMPONENT : ORDINATE".
    CString GetItemText(const PxVQSoftLinkPtr& link) override;
    BOOL GetItemImage(const PxVQSoftLinkPtr& link, VqsImageRef* image) override;
};
