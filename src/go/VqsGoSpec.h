// A GO command matched to a text: it knows its title and syntax line, resolves its target
// over the operation's model and opens it. The records that pass a command's selection and
// its outcome between parsing, resolving and opening live here too.
#pragma once

#include "go/VqsAPtr.h"
#include "go/VqsGoDispatcher.h"
#include "proxy/PxForward.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

class VqsGoSpec;
class VqsModel;

// The caller's current selection.
struct VqsGoContext {
    PxLSEBusinessSegmentPtr m_pBusinessSegment;
    PxVQSystemPtr m_pSystem;
    PxVQBSSoftLinkPtr m_pBSLink;
    PxVQElementSoftLinkPtr m_pElementLink;
    PxVQGenSetPtr m_pGenSet;
};

// The outcome of a spec's filter step: empty, resolved (spec and target) or a message.
class VqsParseReturn : public CObject {
public:
    void SetError(const char* message);
    void SetTarget(const VqsAPtr<VqsGoSpec>& spec, VqsModel* target);
    // FALSE when the message is empty.
    BOOL GetMessage(CString& message) const;
    const VqsAPtr<VqsGoSpec>& GetSpec() const { return m_spec; }
    VqsModel* GetTarget() const { return m_pTarget; }
    // Opens the target with the spec; FALSE without either or when the spec opened nothing.
    BOOL OpenTarget();

private:
    CString m_strMessage;
    VqsAPtr<VqsGoSpec> m_spec;
    VqsModel* m_pTarget = nullptr;
};

class VqsGoSpec : public VqsAManagedClass {
public:
    // The definition of the GO command of leaf class T, tried with the keyword forms of
    // T::kKeywords in order.
    template <class T>
    class SpecDefinition : public VqsGoDispatcher::PrivateSpecDefinition {
    public:
        VqsAPtr<VqsGoSpec> CreateSpec(const CString& text, CStringList& arguments) override
        {
            for (const char* keyword : T::kKeywords)
                if (MatchGoKeyword(text, keyword, arguments))
                    return VqsAPtr<VqsGoSpec>(new T);
            return VqsAPtr<VqsGoSpec>();
        }
    };
    // The one definition of T, made on first use.
    template <class T>
    static VqsGoDispatcher::PrivateSpecDefinition* DefinitionOf()
    {
        static SpecDefinition<T> definition;
        return &definition;
    }

    // FALSE when the text does not start with the keyword as a word of its own; otherwise
    // the list holds the text's arguments: words separated by white space, or texts in
    // double quotes.
    static BOOL MatchGoKeyword(const CString& text, const char* keyword, CStringList& arguments);

    // FALSE when the filter passes failed silently; otherwise the result holds the target
    // or the message.
    virtual BOOL Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList& arguments) = 0;
    virtual UINT GetTitleId() const = 0;
    virtual UINT GetSyntaxId() const = 0;
    // FALSE when there is nothing to open.
    virtual BOOL Open(VqsModel* target) = 0;
};
