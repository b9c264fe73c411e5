// One character in an edit box: a string binder of at most one character, without a rule.
#pragma once

#include "shell/VqsOptCtrlString.h"

class VqsOptCtrlChar : public VqsOptCtrlString {
public:
    VqsOptCtrlChar(VqsDialogCtrlConnector* connector, UINT id);

    // The first character, 0 when there is none.
    char GetValue() const;
    // 0 gives an empty value. The not-available state stays as it is.
    void SetValue(char value);
};
