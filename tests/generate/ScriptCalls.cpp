#include "ScriptCalls.h"

#include <utility>

HRESULT CallAsScript(CAnvilorController& controller, const char* method, std::vector<const char*> arguments,
                     VARIANT* result)
{
    DISPID id = 0;
    if (const HRESULT found = controller.GetIDsOfNames(method, &id); found != S_OK)
        return found;
    std::vector<VARIANT> reversed;
    for (auto at = arguments.rbegin(); at != arguments.rend(); ++at)
        reversed.push_back(VARIANT::Text(*at));
    DISPPARAMS params{reversed.data(), static_cast<UINT>(reversed.size())};
    return controller.Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result);
}

HRESULT SetMandatoryValues(CAnvilorController& controller, const std::string& path)
{
    const std::pair<const char*, const char*> values[] = {
        {"LoginDetails.FTPUsername", "vq"},   {"LoginDetails.FTPPassword", "secret"},
        {"InitSystemPath.SystemPath", "/vq"}, {"Generate.EnvironmentName", "TEST"},
        {"Generate.DatabaseName", "SALESDB"}};
    for (const auto& [name, value] : values)
        if (const HRESULT set = CallAsScript(controller, "SetProperty", {(path + "." + name).c_str(), value});
            set != S_OK)
            return set;
    return S_OK;
}
