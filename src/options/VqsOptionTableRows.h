// The row templates of VqsOptionTable (included by VqsOptionTable.h only): how each binder
// kind shows an option's value, reads it back and is told of a change.
#pragma once

#include "shell/VqsMsgBox.h"
#include "win/Messages.h"

#include <optional>
#include <type_traits>

namespace vqsoptiontable {

inline void ShowValue(VqsOptCtrlFlag& binder, std::int64_t value) { binder.SetValue(value ? TRUE : FALSE); }
inline void ShowValue(VqsOptCtrlRadio& binder, std::int64_t value) { binder.SetValue(static_cast<int>(value)); }
inline void ShowValue(VqsOptCtrlInt& binder, std::int64_t value) { binder.SetValue(value); }
inline void ShowValue(VqsOptCtrlColor& binder, std::int64_t value) { binder.SetValue(static_cast<int>(value)); }
inline void ShowValue(VqsOptCtrlString& binder, const CString& value) { binder.SetValue(value); }
inline void ShowValue(VqsOptCtrlCombo& binder, const CString& value) { binder.SetValue(value); }
inline void ShowValue(VqsOptCtrlChar& binder, std::int64_t value) { binder.SetValue(static_cast<char>(value)); }

inline std::int64_t ReadValue(const VqsOptCtrlFlag& binder) { return binder.m_bValue ? 1 : 0; }
inline std::int64_t ReadValue(const VqsOptCtrlRadio& binder) { return binder.m_nValue; }
inline std::int64_t ReadValue(const VqsOptCtrlInt& binder) { return binder.GetValue(); }
inline std::int64_t ReadValue(const VqsOptCtrlColor& binder) { return binder.GetValue(); }
inline CString ReadValue(const VqsOptCtrlString& binder) { return binder.GetValue(); }
inline CString ReadValue(const VqsOptCtrlCombo& binder) { return binder.GetValue(); }
inline std::int64_t ReadValue(const VqsOptCtrlChar& binder) { return binder.GetValue(); }

inline void ShowNotAvailable(VqsOptCtrlFlag& binder) { binder.SetNotAvailable(); }
inline void ShowNotAvailable(VqsOptCtrlRadio& binder) { binder.SetNotAvailable(); }
inline void ShowNotAvailable(VqsOptCtrlInt& binder) { binder.SetNotAvailable(); }
inline void ShowNotAvailable(VqsOptCtrlColor& binder) { binder.SetNotAvailable(); }
inline void ShowNotAvailable(VqsOptCtrlString& binder) { binder.SetNotAvailable(0); }
inline void ShowNotAvailable(VqsOptCtrlCombo& binder) { binder.SetNotAvailable(0); }

// The binder's value could not be read: it is not available, and is never shown again nor
// written.
template <class Binder>
void ShowUnread(Binder& binder)
{
    ShowNotAvailable(binder);
    binder.SetValueUnread(TRUE);
}

// What `read` gives; none when the read fails.
template <class Read>
auto ReadKnown(Read read) -> std::optional<decltype(read())>
{
    try {
        return read();
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        return std::nullopt;
    }
}

// The value the binder holds, as one page passes it to another: none when it was never read.
template <class Binder>
auto KnownValue(const Binder& binder) -> std::optional<decltype(ReadValue(binder))>
{
    if (binder.IsValueUnread())
        return std::nullopt;
    return ReadValue(binder);
}

// Shows a value read here or passed from another page; one that was never read stays unread.
template <class Binder, class Value>
void ShowKnownValue(Binder& binder, const std::optional<Value>& value)
{
    if (value)
        ShowValue(binder, *value);
    else
        ShowUnread(binder);
}

// Shows the value `read` gives; a read that fails leaves the binder unread.
template <class Binder, class Read>
void ShowReadValue(Binder& binder, Read read)
{
    ShowKnownValue(binder, ReadKnown(read));
}

// Shows what `make` makes of the value of `source`, just read; when that read failed, this
// binder's value is unread too.
template <class Binder, class Source, class Make>
void ShowValueFrom(Binder& binder, const Source& source, Make make)
{
    if (source.IsValueUnread())
        ShowUnread(binder);
    else
        ShowValue(binder, make(source.GetValue()));
}

// Shows a default over the own value; an own value that was never read stays unread behind
// it (ShowValueAgain brings it back as not available).
template <class Binder, class Value>
void ShowDefaultOver(Binder& binder, const Value& value)
{
    const BOOL ownUnread = binder.IsValueUnread();
    ShowValue(binder, value);
    binder.SetValueUnread(ownUnread);
}

// Shows the default `read` gives over the own value; when that read fails the placeholder
// stands before the own value, which stays unread if it was.
template <class Binder, class Read>
void ShowReadDefaultOver(Binder& binder, Read read)
{
    if (const auto value = ReadKnown(read))
        ShowDefaultOver(binder, *value);
    else
        ShowNotAvailable(binder);
}

// The binder's value becomes its own value again: a placeholder gives way to the value behind
// it, a shown default stays as the own value; but an own value that was never read stays (or
// becomes) not available.
template <class Binder>
void ShowValueAgain(Binder& binder)
{
    const auto value = ReadValue(binder);
    ShowNotAvailable(binder);
    if (!binder.IsValueUnread())
        ShowValue(binder, value);
}

inline void SetLimits(VqsOptCtrlInt& binder, BOOL hasLower, std::int64_t lower, BOOL hasUpper, std::int64_t upper)
{
    if (hasLower)
        binder.SetMinimum(lower);
    if (hasUpper)
        binder.SetMaximum(upper);
}
template <class Binder>
void SetLimits(Binder&, BOOL, std::int64_t, BOOL, std::int64_t)
{
}

inline void SetMaxLength(VqsOptCtrlString& binder, unsigned length) { binder.SetMaxLength(static_cast<int>(length)); }
inline void SetMaxLength(VqsOptCtrlCombo& binder, unsigned length) { binder.SetTextLimit(static_cast<int>(length)); }
template <class Binder>
void SetMaxLength(Binder&, unsigned)
{
}

// The notifications that are a user's change of each binder kind.
inline BOOL IsChangeCode(const VqsOptCtrlFlag*, int code) { return code == BN_CLICKED; }
inline BOOL IsChangeCode(const VqsOptCtrlRadio*, int code) { return code == BN_CLICKED; }
inline BOOL IsChangeCode(const VqsOptCtrlInt*, int code) { return code == EN_CHANGE; }
inline BOOL IsChangeCode(const VqsOptCtrlString*, int code) { return code == EN_CHANGE; }
inline BOOL IsChangeCode(const VqsOptCtrlColor*, int code) { return code == CBN_SELENDOK; }
inline BOOL IsChangeCode(const VqsOptCtrlCombo*, int code)
{
    return code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_CLOSEUP;
}

} // namespace vqsoptiontable

template <class Control, class Record, class Value, class Argument>
class VqsOptionTable::OptionRow : public VqsOptionTable::Row {
public:
    using Option = VqsOption<Record, Value, Argument>;
    // The value as the binder holds it: text or number.
    using Shown = std::conditional_t<std::is_same_v<Value, CString>, CString, std::int64_t>;

    template <class... BinderArgs>
    OptionRow(std::initializer_list<UINT> ids, const Option& option, Change change, BinderArgs&&... binderArgs)
        : Row(*ids.begin(), change), m_ids(ids), m_option(option),
          m_binder(std::forward<BinderArgs>(binderArgs)...)
    {
    }

    Control& Typed() { return m_binder; }
    VqsOptCtrl& Binder() override { return m_binder; }

    BOOL IsChange(UINT id, int code) const override
    {
        for (UINT own : m_ids)
            if (own == id)
                return vqsoptiontable::IsChangeCode(&m_binder, code);
        return FALSE;
    }

    void Load(const PxOptions& record) override
    {
        const Record* typed = dynamic_cast<const Record*>(&record);
        if (!typed)
            return;
        LoadLimits(*typed);
        if (m_pDefaultBox)
            m_pDefaultBox->m_bValue = (typed->*m_option.isDefault)();
        try {
            ShowRead(static_cast<Shown>((typed->*m_option.get)()));
        } catch (const VqReportableException& error) {
            if (VqsIsLostConnection(error))
                throw;
            ShowUnread();
        }
        if (m_pDefaultBox)
            m_binder.Enable(!m_pDefaultBox->m_bValue && !m_binder.IsNotAvailable());
    }

    void Store(PxOptions& record) override
    {
        Record* typed = dynamic_cast<Record*>(&record);
        if (!typed)
            return;
        if (m_pDefaultBox && m_pDefaultBox->m_bValue)
            (typed->*m_option.makeDefault)();
        else if (!m_binder.IsNotAvailable())
            (typed->*m_option.set)(static_cast<Argument>(vqsoptiontable::ReadValue(m_binder)));
    }

    void Clear(PxOptions& record) override
    {
        if (Record* typed = dynamic_cast<Record*>(&record))
            (typed->*m_option.clear)();
    }

    BOOL IsUpdated(const PxOptions& record) const override
    {
        const Record* typed = dynamic_cast<const Record*>(&record);
        return typed && (typed->*m_option.isUpdated)();
    }

    BOOL IsDefault(const PxOptions& record) const override
    {
        const Record* typed = dynamic_cast<const Record*>(&record);
        return typed && (typed->*m_option.isDefault)();
    }

    void ShowDefault(const PxOptions& record) override
    {
        const Record* typed = dynamic_cast<const Record*>(&record);
        if (!typed)
            return;
        m_bOwnValueKept = TRUE;
        m_bOwnValueRead = m_bValueRead;
        if (m_bValueRead)
            m_ownValue = vqsoptiontable::ReadValue(m_binder);
        try {
            ShowRead(static_cast<Shown>((typed->*m_option.getDefault)()));
        } catch (const VqReportableException& error) {
            if (VqsIsLostConnection(error))
                throw;
            // The placeholder stands before the value the control had.
            vqsoptiontable::ShowNotAvailable(m_binder);
        }
    }

    // An own value that was never read comes back as not available, so that it is never
    // written.
    void ShowOwnValue() override
    {
        if (!m_bOwnValueKept)
            return;
        if (m_bOwnValueRead)
            ShowRead(m_ownValue);
        else
            ShowUnread();
    }

    void KeepShownValue() override
    {
        if (m_bOwnValueKept && !m_bOwnValueRead)
            ShowUnread();
        else if (m_binder.IsNotAvailable() && m_bValueRead)
            ShowRead(vqsoptiontable::ReadValue(m_binder));
    }

private:
    void ShowRead(const Shown& value)
    {
        vqsoptiontable::ShowValue(m_binder, value);
        m_bValueRead = TRUE;
        m_binder.SetValueUnread(FALSE);
    }
    void ShowUnread()
    {
        vqsoptiontable::ShowUnread(m_binder);
        m_bValueRead = FALSE;
    }

    void LoadLimits(const Record& record)
    {
        m_bOwnValueKept = FALSE;
        if (m_option.maxLength)
            vqsoptiontable::SetMaxLength(m_binder, (record.*m_option.maxLength)());
        std::int64_t lower = 0;
        std::int64_t upper = 0;
        const BOOL hasLower = m_option.lowerLimit && (record.*m_option.lowerLimit)(lower);
        const BOOL hasUpper = m_option.upperLimit && (record.*m_option.upperLimit)(upper);
        vqsoptiontable::SetLimits(m_binder, hasLower, lower, hasUpper, upper);
    }

    std::vector<UINT> m_ids;
    Option m_option;
    Control m_binder;
    // The binder's value (shown, or standing behind its placeholder) was read from the record.
    BOOL m_bValueRead = FALSE;
    // What the value control held when the "use default" box was ticked.
    Shown m_ownValue{};
    BOOL m_bOwnValueKept = FALSE;
    BOOL m_bOwnValueRead = FALSE;
};

template <class RowClass, class... Args>
RowClass& VqsOptionTable::AddRow(Args&&... args)
{
    auto row = std::make_unique<RowClass>(std::forward<Args>(args)...);
    RowClass& added = *row;
    m_rows.push_back(std::move(row));
    return added;
}

template <class Record, class Value, class Argument>
VqsOptCtrlFlag& VqsOptionTable::Flag(UINT id, const VqsOption<Record, Value, Argument>& option, Change change)
{
    using RowClass = OptionRow<VqsOptCtrlFlag, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id).Typed();
}

template <class Record, class Value, class Argument>
VqsOptCtrlString& VqsOptionTable::Text(UINT id, const VqsOption<Record, Value, Argument>& option,
                                       int validatorKind, Change change)
{
    using RowClass = OptionRow<VqsOptCtrlString, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id, -1, validatorKind)
        .Typed();
}

template <class Record, class Value, class Argument>
VqsOptCtrlInt& VqsOptionTable::Number(UINT id, const VqsOption<Record, Value, Argument>& option, Change change)
{
    using RowClass = OptionRow<VqsOptCtrlInt, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id).Typed();
}

template <class Record, class Value, class Argument>
VqsOptCtrlCombo& VqsOptionTable::Combo(UINT id, const VqsOption<Record, Value, Argument>& option, int validatorKind,
                                       Change change)
{
    using RowClass = OptionRow<VqsOptCtrlCombo, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id, validatorKind)
        .Typed();
}

template <class Record, class Value, class Argument>
VqsOptCtrlChar& VqsOptionTable::Char(UINT id, const VqsOption<Record, Value, Argument>& option, Change change)
{
    using RowClass = OptionRow<VqsOptCtrlChar, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id).Typed();
}

template <class Record, class Value, class Argument>
VqsOptCtrlColor& VqsOptionTable::Colour(UINT id, const VqsOption<Record, Value, Argument>& option, Change change)
{
    using RowClass = OptionRow<VqsOptCtrlColor, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{id}, option, change, m_pConnector, id).Typed();
}

template <class Record, class Value, class Argument, class... Ids>
VqsOptCtrlRadio& VqsOptionTable::Radio(const VqsOption<Record, Value, Argument>& option, Ids... ids)
{
    using RowClass = OptionRow<VqsOptCtrlRadio, Record, Value, Argument>;
    return AddRow<RowClass>(std::initializer_list<UINT>{static_cast<UINT>(ids)...}, option, Validate, m_pConnector,
                            ids...)
        .Typed();
}
