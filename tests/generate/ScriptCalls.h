// What a script does with the automation controller: a method called by name with text
// arguments, as a script engine dispatches it, and the values it sets before a generation.
#pragma once

#include "generate/CAnvilorController.h"

#include <string>
#include <vector>

HRESULT CallAsScript(CAnvilorController& controller, const char* method, std::vector<const char*> arguments,
                     VARIANT* result = nullptr);
// The mandatory values of the generate set of the path ("SYS1.NTGEN"), no deploy date among them.
HRESULT SetMandatoryValues(CAnvilorController& controller, const std::string& path);
