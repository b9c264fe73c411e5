// Message maps: a static table of handlers per class, chained to the base class's table.
//
//   class VqsListFrame : public CFrameWnd {
//       ...
//       DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(VqsListFrame, CFrameWnd)
//       ON_WM_CLOSE()
//       ON_COMMAND(32805, &VqsListFrame::OnRefresh)
//       ON_UPDATE_COMMAND_UI(32825, &VqsListFrame::OnUpdateOpenCurrent)
//       ON_MESSAGE(WM_USER + 1, &VqsListFrame::OnUpdateCommandsMessage)
//   END_MESSAGE_MAP()
//
// Each entry holds a small function made from the member pointer at compile time, which
// unpacks the message's arguments and calls the member.
#pragma once

#include "win/Messages.h"
#include "win/Types.h"

class CCmdTarget;

constexpr UINT CN_COMMAND = 0;
constexpr UINT CN_UPDATE_COMMAND_UI = static_cast<UINT>(-1);

// What a WM_NOTIFY handler receives through the command route.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// A command handler: `extra` is the CCmdUI* of an update or the AFX_NOTIFY* of a
// notification; the result tells whether the command was handled.
using AFX_PCMDHANDLER = BOOL (*)(CCmdTarget* target, UINT id, void* extra);
// A window-message handler: the message's result.
using AFX_PMSGHANDLER = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PCMDHANDLER pfnCommand;
    AFX_PMSGHANDLER pfnMessage;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PCMDHANDLER pfnCommand;
};

namespace vqmsg {

template <class F>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)> {
    using Class = C;
};

template <auto F>
auto* Target(CCmdTarget* target)
{
    return static_cast<typename Member<decltype(F)>::Class*>(target);
}

template <auto F>
BOOL Command(CCmdTarget* target, UINT, void*)
{
    (Target<F>(target)->*F)();
    return TRUE;
}

template <auto F>
BOOL CommandRange(CCmdTarget* target, UINT id, void*)
{
    (Target<F>(target)->*F)(id);
    return TRUE;
}

template <auto F>
BOOL Notify(CCmdTarget* target, UINT, void* extra)
{
    auto* notify = static_cast<AFX_NOTIFY*>(extra);
    (Target<F>(target)->*F)(notify->pNMHDR, notify->pResult);
    return TRUE;
}

template <auto F>
LRESULT Message(CCmdTarget* target, WPARAM wParam, LPARAM lParam)
{
    return (Target<F>(target)->*F)(wParam, lParam);
}

} // namespace vqmsg

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define VQ_MESSAGE_MAP_BODY(theClass, baseClass)                                                                       \
    {                                                                                                                  \
        using ThisClass = theClass;                                                                                    \
        using TheBaseClass = baseClass;                                                                                \
        static_assert(sizeof(ThisClass) > 0);                                                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap() VQ_MESSAGE_MAP_BODY(theClass, baseClass)

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                                                     \
    template <typename type_name>                                                                                      \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const                                                       \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    template <typename type_name>                                                                                      \
    const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap() VQ_MESSAGE_MAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP()                                                                                              \
    {0, 0, 0, 0, nullptr, nullptr}                                                                                     \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// Commands and their update handlers (void OnX(); void OnUpdateX(CCmdUI*)).
#define ON_COMMAND(id, memberFxn)                                                                                      \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), &vqmsg::Command<memberFxn>, nullptr},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                                        \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), &vqmsg::CommandRange<memberFxn>,         \
     nullptr},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), &vqmsg::UpdateUI<memberFxn>,      \
     nullptr},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(idLast),                               \
     &vqmsg::UpdateUI<memberFxn>, nullptr},

// Control notifications through WM_COMMAND (void OnX()).
#define ON_CONTROL(code, id, memberFxn)                                                                                \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), &vqmsg::Command<memberFxn>,    \
     nullptr},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)

// WM_NOTIFY from a child (void OnX(NMHDR*, LRESULT*)).
#define ON_NOTIFY(code, id, memberFxn)                                                                                 \
    {WM_NOTIFY, static_cast<WORD>(code), static_cast<UINT>(id), static_cast<UINT>(id), &vqmsg::Notify<memberFxn>,      \
     nullptr},

// Notifications the parent handed back to this control.
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                                             \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, &vqmsg::Notify<memberFxn>, nullptr},
#define ON_CONTROL_REFLECT(code, memberFxn)                                                                            \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0, &vqmsg::Command<memberFxn>, nullptr},

// Any message by number (LRESULT OnX(WPARAM, LPARAM)), such as the module's WM_USER + n.
#define ON_MESSAGE(message, memberFxn) {static_cast<UINT>(message), 0, 0, 0, nullptr, &vqmsg::Message<memberFxn>},
