// The question the model's delete asks once per node: the node's description, and whether
// further nodes follow (then "Yes to All" is offered). The shell wires in its remove
// prompt dialog; until it does, nothing is asked, a line is logged and the answer is "not
// asked", which deletes nothing.
#pragma once

#include "win/Types.h"

// The answers besides IDYES, IDNO and IDCANCEL.
enum VqsRemoveAnswer : int { VqsRemoveNotAsked = 0, VqsRemoveYesToAll = 1349 };

using VqsRemovePromptFn = int (*)(LPCTSTR description, BOOL allowAll);

// A null prompt restores "not asked".
void VqsSetRemovePrompt(VqsRemovePromptFn prompt);
int VqsAskRemove(LPCTSTR description, BOOL allowAll);
