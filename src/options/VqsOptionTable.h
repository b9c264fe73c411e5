// The table of an option page: one row per bound control, naming the control, its binder
// kind and the option it shows. From the table alone the page loads, stores and clears its
// options, answers whether the record holds own values, and takes the user's changes. What
// differs per page (enabling rules, cross-field checks, notices to the sheet) stays ordinary
// code beside the table. README.md in this folder shows a page written this way.
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/VqException.h"
#include "shell/VqsOptCtrlChar.h"
#include "shell/VqsOptCtrlColor.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"

#include <cstdint>
#include <memory>
#include <vector>

// The accessors of one option of a record class (VQS_OPTION and its kin below fill it).
template <class Record, class Value, class Argument>
struct VqsOption {
    Value (Record::*get)() const;
    void (Record::*set)(Argument);
    void (Record::*clear)();
    BOOL (Record::*isUpdated)() const;
    BOOL (Record::*isDefault)() const;
    void (Record::*makeDefault)();
    Value (Record::*getDefault)() const;
    BOOL (Record::*lowerLimit)(std::int64_t&) const = nullptr;
    BOOL (Record::*upperLimit)(std::int64_t&) const = nullptr;
    unsigned (Record::*maxLength)() const = nullptr;
};

template <class Record, class Value, class Argument>
VqsOption<Record, Value, Argument> VqsOptionOf(Value (Record::*get)() const, void (Record::*set)(Argument),
                                               void (Record::*clear)(), BOOL (Record::*isUpdated)() const,
                                               BOOL (Record::*isDefault)() const, void (Record::*makeDefault)(),
                                               Value (Record::*getDefault)() const)
{
    return {get, set, clear, isUpdated, isDefault, makeDefault, getDefault};
}

template <class Option, class Limit>
Option VqsWithLimits(Option option, Limit lower, Limit upper)
{
    option.lowerLimit = lower;
    option.upperLimit = upper;
    return option;
}

template <class Option, class Length>
Option VqsWithMaxLength(Option option, Length maxLength)
{
    option.maxLength = maxLength;
    return option;
}

// VQS_OPTION(PxBSegOptions, FullKESHOFF): the option's accessors of the record class;
// VQS_NUMBER_OPTION adds the bounds, VQS_TEXT_OPTION the most characters.
#define VQS_OPTION(Record, Name)                                                                                     \
    VqsOptionOf(&Record::Get##Name, &Record::Set##Name, &Record::Clear##Name, &Record::IsUpdated##Name,              \
                &Record::IsDefault##Name, &Record::MakeDefault##Name, &Record::GetDefault##Name)
#define VQS_NUMBER_OPTION(Record, Name)                                                                              \
    VqsWithLimits(VQS_OPTION(Record, Name), &Record::HasLowerLimit##Name, &Record::HasUpperLimit##Name)
#define VQS_TEXT_OPTION(Record, Name) VqsWithMaxLength(VQS_OPTION(Record, Name), &Record::GetMaxLength##Name)

class VqsOptionTable {
public:
    // What a user's change of a control does before the page hears of it.
    enum Change {
        Validate,   // the page takes the change and checks the page's values
        NoValidate, // the page takes the change without checking
        Modify,     // every keystroke counts: the page only becomes modified
    };

    // One bound control. Rows of another record class than the page's record do nothing.
    class Row {
    public:
        Row(UINT id, Change change) : m_nID(id), m_change(change) {}
        virtual ~Row() = default;

        UINT Id() const { return m_nID; }
        Change GetChange() const { return m_change; }
        // TRUE when the notification from the control is a change of it.
        virtual BOOL IsChange(UINT id, int code) const = 0;
        virtual VqsOptCtrl& Binder() = 0;
        virtual void Load(const PxOptions& record) = 0;
        virtual void Store(PxOptions& record) = 0;
        virtual void Clear(PxOptions& record) = 0;
        virtual BOOL IsUpdated(const PxOptions& record) const = 0;
        // Rows with a "use default" box.
        virtual BOOL IsDefault(const PxOptions& record) const;
        virtual void ShowDefault(const PxOptions& record);
        virtual void ShowOwnValue();
        // The control keeps what it shows, as a value of its own (a placeholder gives way to
        // the value behind it when that value was read).
        virtual void KeepShownValue();

        // The "use default" box of the row; when it is checked a store makes the option
        // default instead of setting what the control shows.
        VqsOptCtrlFlag* m_pDefaultBox = nullptr;

    private:
        UINT m_nID;
        Change m_change;
    };

    explicit VqsOptionTable(VqsDialogCtrlConnector* connector) : m_pConnector(connector) {}
    VqsOptionTable(const VqsOptionTable&) = delete;
    VqsOptionTable& operator=(const VqsOptionTable&) = delete;

    template <class Record, class Value, class Argument>
    VqsOptCtrlFlag& Flag(UINT id, const VqsOption<Record, Value, Argument>& option, Change change = Validate);
    template <class Record, class Value, class Argument>
    VqsOptCtrlString& Text(UINT id, const VqsOption<Record, Value, Argument>& option, int validatorKind,
                           Change change = Modify);
    template <class Record, class Value, class Argument>
    VqsOptCtrlInt& Number(UINT id, const VqsOption<Record, Value, Argument>& option, Change change = Modify);
    template <class Record, class Value, class Argument>
    VqsOptCtrlCombo& Combo(UINT id, const VqsOption<Record, Value, Argument>& option, int validatorKind,
                           Change change = Validate);
    // One character; an empty edit stores 0.
    template <class Record, class Value, class Argument>
    VqsOptCtrlChar& Char(UINT id, const VqsOption<Record, Value, Argument>& option, Change change = Modify);
    template <class Record, class Value, class Argument>
    VqsOptCtrlColor& Colour(UINT id, const VqsOption<Record, Value, Argument>& option, Change change = Validate);
    // The index of the checked button (ids in index order) is the option's value.
    template <class Record, class Value, class Argument, class... Ids>
    VqsOptCtrlRadio& Radio(const VqsOption<Record, Value, Argument>& option, Ids... ids);
    // A "use default" box for the option of the row of control valueId (added before):
    // loading checks it when the option takes its default and disables the value control;
    // checking it shows the default there; clearing it keeps what the control shows as the
    // new own value, or, without keepShownText, shows the own value from before again. An own
    // value that could not be read comes back as not available, disabled and never written.
    VqsOptCtrlFlag& DefaultBox(UINT id, UINT valueId, BOOL keepShownText = TRUE);

    void Load(const PxOptions& record);
    void Store(PxOptions& record);
    void Clear(PxOptions& record);
    // TRUE when no option of the table holds an own value in the record.
    BOOL IsNotUpdated(const PxOptions& record) const;

    // The row that the notification changes, or null.
    Row* FindChange(UINT id, int code) const;
    // After a change of the row was taken: the table's own reaction (a "use default" box
    // shows the default or the own value and enables the value control). TRUE when the
    // controls are to show new values.
    BOOL OnChangeTaken(Row& row, const PxOptions& record);

private:
    class DefaultBoxRow;
    template <class Control, class Record, class Value, class Argument>
    class OptionRow;

    template <class RowClass, class... Args>
    RowClass& AddRow(Args&&... args);
    Row* FindRow(UINT id) const;

    VqsDialogCtrlConnector* m_pConnector;
    std::vector<std::unique_ptr<Row>> m_rows;
};

#include "options/VqsOptionTableRows.h"
