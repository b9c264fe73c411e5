// The stand-in host: loads the module, runs a script of host actions against its exported
// calls and prints what the module does, one line per event.
//
//   vqshost [--module LIB] [--script FILE|-] [--repo FILE] [--resources DIR] [--ini FILE]
//           [--user CODE] [--mode N]
//
// Exit status: 0 when every line ran as the script expects, 1 otherwise, 2 when the host
// could not start.
#include "HostModule.h"
#include "HostOutput.h"
#include "HostScript.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

int Usage(const char* problem)
{
    std::fprintf(stderr,
                 "vqshost: %s\nusage: vqshost [--module LIB] [--script FILE|-] [--repo FILE] [--resources DIR]\n"
                 "               [--ini FILE] [--user CODE] [--mode N]\n",
                 problem);
    return 2;
}

// Reads the options; a problem is returned as text, nothing when there is none.
std::string ReadOptions(int argc, char** argv, HostOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (i + 1 >= argc)
            return std::string("missing value of ") + option;
        const char* value = argv[++i];
        if (std::strcmp(option, "--module") == 0)
            options.module = value;
        else if (std::strcmp(option, "--script") == 0)
            options.script = value;
        else if (std::strcmp(option, "--repo") == 0)
            options.repository = value;
        else if (std::strcmp(option, "--resources") == 0)
            options.resources = value;
        else if (std::strcmp(option, "--ini") == 0)
            options.iniPath = value;
        else if (std::strcmp(option, "--user") == 0)
            options.userCode = value;
        else if (std::strcmp(option, "--mode") == 0)
            options.repositoryMode = std::atoi(value);
        else
            return std::string("unknown option ") + option;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    HostOptions options;
    options.module = VQS_DEFAULT_MODULE;
    options.resources = VQS_DEFAULT_RESOURCES;
    if (const std::string problem = ReadOptions(argc, argv, options); !problem.empty())
        return Usage(problem.c_str());
    // Resource libraries are found below this folder.
    setenv("VQ_RESOURCES", options.resources.c_str(), 1);

    std::ifstream file;
    if (options.script != "-") {
        file.open(options.script);
        if (!file)
            return Usage(("cannot read the script " + options.script).c_str());
    }
    HostModule module;
    std::string error;
    if (!module.Load(options.module, error)) {
        PrintLine("error: cannot load the module: " + error);
        return 2;
    }
    HostScript script(module, options);
    script.Run(options.script == "-" ? std::cin : file);
    script.End();
    return script.Failed() ? 1 : 0;
}
