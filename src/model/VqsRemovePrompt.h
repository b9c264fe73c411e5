// The question the model's delete asks once per node: the node's description, and whether
// further nodes follow (then "Yes to All" is offered). The module's start wires in the
// shell's remove prompt dialog; without it nothing is asked, a line is logged and the
// answer is "not asked", which deletes nothing.
#pragma once

#include "win/Types.h"

// The answers besides IDYES, IDNO and IDCANCEL.
enum VqsRemoveAnswer : int { VqsRemoveNotAsked = 0, VqsRemoveYesToAll = 1349 };

using VqsRemovePromptFn = int (*)(LPCTSTR description, BOOL allowAll);

// A null prompt restores "not asked". Returns the prompt that was set before.
VqsRemovePromptFn VqsSetRemovePrompt(VqsRemovePromptFn prompt);
int VqsPromptRemove(LPCTSTR description, BOOL allowAll);
