#include "model/VqsRemovePrompt.h"

#include "shell/VqsSysApp.h"

namespace {

VqsRemovePromptFn g_prompt = nullptr;

} // namespace

VqsRemovePromptFn VqsSetRemovePrompt(VqsRemovePromptFn prompt)
{
    const VqsRemovePromptFn previous = g_prompt;
    g_prompt = prompt;
    return previous;
}

int VqsPromptRemove(LPCTSTR description, BOOL allowAll)
{
    if (g_prompt)
        return g_prompt(description, allowAll);
    if (VqsSysApp* app = VqsGetApp())
        app->LogInfo(0, "The remove prompt is not available: nothing was asked and nothing is deleted.");
    return VqsRemoveNotAsked;
}
