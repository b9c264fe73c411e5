// What the window layer does around the handlers of window objects (each message a CWnd's
// WindowProc runs). A handler that throws is ended there when the program's hook reports
// the exception, so that it never reaches the loop that delivered the message. A frame or
// view destroyed while handlers run on its thread (a modal loop inside one of them closed
// it) is deleted once they have all returned: the handler that ran the loop finds its
// object still there, without its window (m_hWnd null), and stops.
#pragma once

#include "win/Messages.h"

class CWnd;

namespace vqwin {

// Called inside the catch of a handler's exception with the message being handled; answers
// true when it reported the exception (std::current_exception), false to let it pass on.
using HandlerFailureHook = bool (*)(const MSG& message);
// Installs the hook for every thread; null removes it.
void SetHandlerFailureHook(HandlerFailureHook hook);

// Deletes an object whose window is gone: at once when no handler runs on the calling
// thread, else when the last one returns.
void DeleteAfterHandlers(CWnd* object);

namespace detail {

// Runs the object's WindowProc as a handler: counted, and with the failure hook around it.
// A reported failure answers -1 to WM_CREATE (the creation fails) and 0 to the others.
LRESULT RunHandler(CWnd* object, const MSG& message);

} // namespace detail

} // namespace vqwin
