// The controls of a page that are not rows of its option table: options of a record that
// come in several numbered copies (GetX(i), SetX(i, v), ...), and controls whose value the
// page shows or stores otherwise than a table row would. The rows load, store, clear and
// test their options like the table's; every control's change goes through the page's
// change handling (Route, from the page's OnCommand).
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The accessors of an option with numbered copies (VQS_INDEXED_OPTION fills it).
template <class Record, class Value, class Argument>
struct VqsIndexedOption {
    Value (Record::*get)(int) const;
    void (Record::*set)(int, Argument);
    void (Record::*clear)(int);
    BOOL (Record::*isUpdated)(int) const;
    BOOL (Record::*lowerLimit)(std::int64_t&) const = nullptr;
    BOOL (Record::*upperLimit)(std::int64_t&) const = nullptr;
    unsigned (Record::*maxLength)() const = nullptr;
};

template <class Record, class Value, class Argument>
VqsIndexedOption<Record, Value, Argument> VqsIndexedOptionOf(Value (Record::*get)(int) const,
                                                             void (Record::*set)(int, Argument),
                                                             void (Record::*clear)(int),
                                                             BOOL (Record::*isUpdated)(int) const)
{
    return {get, set, clear, isUpdated};
}

#define VQS_INDEXED_OPTION(Record, Name)                                                                             \
    VqsIndexedOptionOf(&Record::Get##Name, &Record::Set##Name, &Record::Clear##Name, &Record::IsUpdated##Name)
#define VQS_INDEXED_NUMBER_OPTION(Record, Name)                                                                      \
    VqsWithLimits(VQS_INDEXED_OPTION(Record, Name), &Record::HasLowerLimit##Name, &Record::HasUpperLimit##Name)
#define VQS_INDEXED_TEXT_OPTION(Record, Name)                                                                        \
    VqsWithMaxLength(VQS_INDEXED_OPTION(Record, Name), &Record::GetMaxLength##Name)

class VqsIndexedOptionRows {
public:
    explicit VqsIndexedOptionRows(VqsDialogCtrlConnector* connector) : m_pConnector(connector) {}
    VqsIndexedOptionRows(const VqsIndexedOptionRows&) = delete;
    VqsIndexedOptionRows& operator=(const VqsIndexedOptionRows&) = delete;

    template <class Record, class Value, class Argument>
    VqsOptCtrlString& Text(UINT id, const VqsIndexedOption<Record, Value, Argument>& option, int index,
                           int validatorKind);
    template <class Record, class Value, class Argument>
    VqsOptCtrlInt& Number(UINT id, const VqsIndexedOption<Record, Value, Argument>& option, int index);
    template <class Record, class Value, class Argument>
    VqsOptCtrlCombo& Combo(UINT id, const VqsIndexedOption<Record, Value, Argument>& option, int index,
                           int validatorKind);

    // A control of the page's own, outside the rows: only its changes are routed.
    void Route(VqsOptCtrl& binder, VqsOptionTable::Change change, std::vector<UINT> ids);

    void Load(const PxOptions& record);
    void Store(PxOptions& record);
    void Clear(PxOptions& record);
    BOOL IsNotUpdated(const PxOptions& record) const;

    // When the notification is a change of one of these controls: the page's change
    // handling of it; TRUE when the page took the change.
    BOOL Take(VqsOptionPage& page, UINT id, int code) const;

private:
    struct Row {
        std::vector<UINT> ids;
        VqsOptCtrl* binder;
        VqsOptionTable::Change change;
        BOOL (*isChange)(int code);
        std::function<void(const PxOptions&)> load;
        std::function<void(PxOptions&)> store;
        std::function<void(PxOptions&)> clear;
        std::function<BOOL(const PxOptions&)> isUpdated;
    };

    template <class Binder, class... Args>
    Binder& MakeBinder(Args&&... args);
    template <class Binder, class Record, class Value, class Argument>
    void AddOptionRow(Binder& binder, UINT id, const VqsIndexedOption<Record, Value, Argument>& option, int index,
                      VqsOptionTable::Change change);

    VqsDialogCtrlConnector* m_pConnector;
    std::vector<std::unique_ptr<VqsOptCtrl>> m_binders;
    std::vector<Row> m_rows;
};

namespace vqsindexedrows {

BOOL IsEditChange(int code);
BOOL IsButtonChange(int code);
BOOL IsComboChange(int code);

inline BOOL (*ChangeTest(const VqsOptCtrlString&))(int) { return &IsEditChange; }
inline BOOL (*ChangeTest(const VqsOptCtrlInt&))(int) { return &IsEditChange; }
inline BOOL (*ChangeTest(const VqsOptCtrlCombo&))(int) { return &IsComboChange; }

} // namespace vqsindexedrows

template <class Binder, class... Args>
Binder& VqsIndexedOptionRows::MakeBinder(Args&&... args)
{
    auto binder = std::make_unique<Binder>(m_pConnector, std::forward<Args>(args)...);
    Binder& made = *binder;
    m_binders.push_back(std::move(binder));
    return made;
}

template <class Binder, class Record, class Value, class Argument>
void VqsIndexedOptionRows::AddOptionRow(Binder& binder, UINT id,
                                        const VqsIndexedOption<Record, Value, Argument>& option, int index,
                                        VqsOptionTable::Change change)
{
    Row row{{id}, &binder, change, vqsindexedrows::ChangeTest(binder), {}, {}, {}, {}};
    row.load = [&binder, option, index](const PxOptions& record) {
        const Record* typed = dynamic_cast<const Record*>(&record);
        if (!typed)
            return;
        vqsoptiontable::SetMaxLength(binder, option.maxLength ? (typed->*option.maxLength)() : 0U);
        std::int64_t lower = 0;
        std::int64_t upper = 0;
        const BOOL hasLower = option.lowerLimit && (typed->*option.lowerLimit)(lower);
        const BOOL hasUpper = option.upperLimit && (typed->*option.upperLimit)(upper);
        vqsoptiontable::SetLimits(binder, hasLower, lower, hasUpper, upper);
        vqsoptiontable::ShowReadValue(binder, [&] { return (typed->*option.get)(index); });
    };
    row.store = [&binder, option, index](PxOptions& record) {
        if (Record* typed = dynamic_cast<Record*>(&record); typed && !binder.IsNotAvailable())
            (typed->*option.set)(index, static_cast<Argument>(vqsoptiontable::ReadValue(binder)));
    };
    row.clear = [option, index](PxOptions& record) {
        if (Record* typed = dynamic_cast<Record*>(&record))
            (typed->*option.clear)(index);
    };
    row.isUpdated = [option, index](const PxOptions& record) {
        const Record* typed = dynamic_cast<const Record*>(&record);
        return typed && (typed->*option.isUpdated)(index);
    };
    m_rows.push_back(std::move(row));
}

template <class Record, class Value, class Argument>
VqsOptCtrlString& VqsIndexedOptionRows::Text(UINT id, const VqsIndexedOption<Record, Value, Argument>& option,
                                             int index, int validatorKind)
{
    VqsOptCtrlString& binder = MakeBinder<VqsOptCtrlString>(id, -1, validatorKind);
    AddOptionRow(binder, id, option, index, VqsOptionTable::Modify);
    return binder;
}

template <class Record, class Value, class Argument>
VqsOptCtrlInt& VqsIndexedOptionRows::Number(UINT id, const VqsIndexedOption<Record, Value, Argument>& option,
                                            int index)
{
    VqsOptCtrlInt& binder = MakeBinder<VqsOptCtrlInt>(id);
    AddOptionRow(binder, id, option, index, VqsOptionTable::Modify);
    return binder;
}

template <class Record, class Value, class Argument>
VqsOptCtrlCombo& VqsIndexedOptionRows::Combo(UINT id, const VqsIndexedOption<Record, Value, Argument>& option,
                                             int index, int validatorKind)
{
    VqsOptCtrlCombo& binder = MakeBinder<VqsOptCtrlCombo>(id, validatorKind);
    AddOptionRow(binder, id, option, index, VqsOptionTable::Validate);
    return binder;
}
