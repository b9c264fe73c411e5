// The options dialog as the user meets it, for the platform option pages: open it on an
// element's link in an option set, look at the tabs, act on the controls of the page shown,
// press Apply now, Undo or Defaults, answer the message boxes, and read what was written.
// A test scripts one session with Session(...): the actions run while the dialog is up, the
// dialog is then closed with OK (or Cancel) and the test checks the record.
#pragma once

#include "../options/OptionsTestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace optionstest {

class OptionsDialogHarness : public OptionsTest {
public:
    using Strings = std::vector<std::string>;

    // One scripted session of the dialog over the element link, ended with OK or Cancel;
    // the dialog's result.
    INT_PTR Session(const PxVQSoftLinkPtr& link, const char* optionSet, UINT selectPage,
                    const std::function<void()>& actions, BOOL endWithOk = TRUE);

    // Done to the next session's dialog before it is shown (the event-view flag of an
    // element the sample has none of).
    void BeforeShowing(std::function<void(VqsSoftLinkOptionsDlg&)> prepare) { m_prepare = std::move(prepare); }
    // What the next session's dialog shows while it opens, before the user acts (a notice of
    // the page it opens on).
    void WhileOpening(std::function<void()> expect) { m_whileOpening = std::move(expect); }

    // While a session runs.
    VqsSoftLinkOptionsDlg& Dialog();
    Strings Tabs();
    int ActiveTab();
    void ShowTab(int index);
    void Click(int id);
    void Type(int id, const char* text);
    void Choose(int id, const char* text);
    void SelectRow(int id, int index);
    BOOL Checked(int id);
    BOOL Enabled(int id);
    BOOL Visible(int id);
    std::string Text(int id);
    // The characters an edit takes.
    LRESULT TextLimit(int id);
    // The control shows a value that could not be read, and cannot be edited.
    void ExpectUnread(int id);
    // Every read of the operation fails while the page loads (some options are read more than
    // once, by other pages or adapters first).
    static void FailEveryRead(const char* operation);
    Strings ComboItems(int id);
    // The text and background colours the control paints `text` in now; both 0xFFFFFFFF when
    // it does not show the text.
    struct Colours {
        COLORREF text;
        COLORREF background;
        bool operator==(const Colours&) const = default;
    };
    Colours Painted(int id, const char* text);
    // Ticks the "Use default" box of control `value`, which then shows `shown` disabled, and
    // clears it again, which keeps `shown` there to be edited.
    void TickAndClearDefaultBox(int box, int value, const std::string& shown);
    void ApplyNow() { Click(kApplyNow); }
    void Undo() { Click(kUndo); }
    void Defaults() { Click(kDefaults); }

    // The story every platform's OLTP page shares: ORDER has an own service, "Defaults" ticks
    // its "Use default" box and shows the default, and a further edit before Apply stores no
    // shown default as an own value.
    void CheckDefaultsShowTheDefaultServiceAndStoreNoOwnValue(const char* optionSet);

    // The next message box with the text gets the answer.
    void Answer(const std::string& text, int button) { ui.ExpectMessageBox(text, button); }

    // The record as the repository holds it now.
    template <class Ptr>
    Ptr Stored(const char* element, const char* optionSet) const
    {
        Ptr options = Options<Ptr>(element, optionSet);
        options->Refresh();
        return options;
    }
    template <class Ptr>
    Ptr StoredSegment(const char* optionSet) const
    {
        Ptr options(Segment("SYS1", "SALES")->GetOptions(OptionSet(optionSet)));
        options->Refresh();
        return options;
    }
    // The whole repository as text (PxRepositoryDump), line by line, to compare before and
    // after a session.
    Strings StoredDump() const;
    // Every option value in force of the record and its sub-records, as "Name[index] = value".
    static Strings ValuesInForce(const PxOptionsPtr& record);
    // What differs between two such lists: "- line" for each line gone, "+ line" for each
    // line come, leading blanks left out.
    static Strings Changes(Strings before, Strings after);
    // The changes that name the option (as "Name[" or "Name =").
    static Strings ChangesNaming(const Strings& changes, const std::string& option);
    // A session after a failed read: `session(FALSE)` runs first, so that the page stores
    // once what it stores of the values it reads; then `session(TRUE)` runs with every read
    // of the operations ("PxRecord::GetName") failing until the session resets them. Checks
    // that those options are stored byte for byte as before, and gives the changes of the
    // values in force of the record that the second session made.
    Strings ChangesAfterAFailedRead(const std::function<PxOptionsPtr()>& record,
                                    const std::vector<const char*>& unread,
                                    const std::function<void(BOOL failing)>& session);

    // Runs `write` in a committed repository transaction.
    template <class Writer>
    void Write(Writer write)
    {
        Commit(*app.GetLink(), write);
    }

private:
    HWND Item(int id);

    OpenedOptions* m_pOpened = nullptr;
    std::function<void(VqsSoftLinkOptionsDlg&)> m_prepare;
    std::function<void()> m_whileOpening;
};

} // namespace optionstest
