// The dispatcher of GO texts, one per process: the registry of GO spec definitions in which
// a text is looked up, the GO command of the host and the GO command of a list frame.
#pragma once

#include "go/VqsAPtr.h"
#include "win/CString.h"
#include "win/Collections.h"
#include "win/Object.h"

class VqsGoSpec;
class VqsListFrame;

class VqsGoDispatcher : public CObject {
public:
    // One GO command: when a text is its GO text, makes its spec and hands out the text's
    // arguments.
    class PrivateSpecDefinition {
    public:
        virtual ~PrivateSpecDefinition() = default;
        // A null holder, the list untouched, when the text is not of this definition.
        virtual VqsAPtr<VqsGoSpec> CreateSpec(const CString& text, CStringList& arguments) = 0;
    };

    static VqsGoDispatcher* Instance();

    VqsGoDispatcher(const VqsGoDispatcher&) = delete;
    VqsGoDispatcher& operator=(const VqsGoDispatcher&) = delete;

    // Definitions are tried in the order they were registered; they are never deleted.
    static void RegisterDefinition(PrivateSpecDefinition* definition);
    static void FreeDefinitions();
    static INT_PTR GetDefinitionCount();

    // The spec of the first definition that takes the text, with the text's arguments in
    // the list; null, the list untouched, when none does.
    VqsAPtr<VqsGoSpec> ParseGoText(const char* text, CStringList& arguments);

    // Runs a GO text from the host: 0 when no GO spec accepts the text (nothing is shown),
    // 1 otherwise.
    int ImplementGoCommand(const char* text, const char* businessSegment);

    // The GO command of a list frame: the GO sheet over the frame's selection, then the
    // option dialog it resolved or, for a text of no GO spec, the text handed to the host.
    void InvokeGo(VqsListFrame* frame);
    // The text the next GO sheet starts with.
    static CString& LastGoText();

private:
    VqsGoDispatcher() = default;

    static VqsGoDispatcher s_instance;
};
