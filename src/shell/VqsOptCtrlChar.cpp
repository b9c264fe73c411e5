#include "shell/VqsOptCtrlChar.h"

VqsOptCtrlChar::VqsOptCtrlChar(VqsDialogCtrlConnector* connector, UINT id) : VqsOptCtrlString(connector, id, 1, 0) {}

char VqsOptCtrlChar::GetValue() const { return m_strValue.IsEmpty() ? '\0' : m_strValue[0]; }

void VqsOptCtrlChar::SetValue(char value)
{
    if (value)
        m_strValue = value;
    else
        m_strValue.Empty();
}
