// The stand-in host: loads the module, runs a script of host actions against its exported
// calls and prints what the module does, one line per event.
//
//   vqshost [--module LIB] [--script FILE|-] [--repo FILE] [--resources DIR] [--ini FILE]
//           [--user CODE] [--mode N]
//   vqshost --help
//
// Exit status: 0 when every line ran as the script expects, 1 otherwise (also when the
// transcript could not be written), 2 when the host could not start.
#include "HostGenerationLog.h"
#include "HostModule.h"
#include "HostOutput.h"
#include "HostScript.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: vqshost [--module LIB] [--script FILE|-] [--repo FILE] [--resources DIR]\n"
    "               [--ini FILE] [--user CODE] [--mode N]\n"
    "       vqshost --help\n"
    "Runs a script of host actions (one a line, see host/README.md) against the module and\n"
    "prints what it does. Exit status: 0 when every line ran as the script expects, 1\n"
    "otherwise (also when its output cannot be written), 2 when the host could not start.\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "vqshost: %s\n%s", problem, kUsage);
    return 2;
}

// The repository mode: a whole number that fits an int.
bool ReadMode(const char* text, int& mode)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (!*text || *end || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    mode = static_cast<int>(value);
    return true;
}

// Reads the options; a problem is returned as text, nothing when there is none.
std::string ReadOptions(int argc, char** argv, HostOptions& options, bool& help)
{
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "--help") == 0) {
            help = true;
            continue;
        }
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
        else if (std::strcmp(option, "--mode") == 0) {
            if (!ReadMode(value, options.repositoryMode))
                return std::string("the mode \"") + value + "\" is not a whole number that fits an int";
        } else
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
    bool help = false;
    const std::string problem = ReadOptions(argc, argv, options, help);
    if (help) {
        PrintText(kUsage);
        return OutputFailed() ? 1 : 0;
    }
    if (!problem.empty())
        return Usage(problem.c_str());
    // Resource libraries are found below this folder.
    setenv("VQ_RESOURCES", options.resources.c_str(), 1);

    std::ifstream file;
    if (options.script != "-") {
        file.open(options.script);
        if (!file)
            return Usage(("cannot read the script " + options.script).c_str());
    }
    // The generation client appends its log there, after what earlier runs and other hosts
    // on the repository wrote.
    options.generationLog = GenerationLogPath(options.repository, std::getenv("VQ_GENERATION_LOG"));
    if (!options.generationLog.empty()) {
        std::string reason;
        if (!OpenGenerationLog(options.generationLog, reason))
            return Usage(("cannot write the generation log " + options.generationLog + ": " + reason).c_str());
        setenv("VQ_GENERATION_LOG", options.generationLog.c_str(), 1);
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
    return script.Failed() || OutputFailed() ? 1 : 0;
}
