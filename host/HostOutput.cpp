#include "HostOutput.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

std::string Escaped(const char* text) { return text ? Escaped(std::string(text)) : "-"; }

std::string Escaped(const std::string& text)
{
    std::string line;
    for (const char c : text) {
        switch (c) {
        case '\n':
            line += "\\n";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\r':
            line += "\\r";
            break;
        case '\\':
            line += "\\\\";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
                line += hex;
            } else {
                line += c;
            }
        }
    }
    return line;
}

namespace {

// Lines come from the script's thread and, for the lock progress dialog, the lock thread.
std::atomic<int> g_outputError{0};

} // namespace

void PrintText(const std::string& text)
{
    if (g_outputError)
        return;
    errno = 0;
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) == EOF) {
        g_outputError = errno ? errno : EIO;
        std::fprintf(stderr, "vqshost: cannot write to standard output: %s.\n", std::strerror(g_outputError));
    }
}

void PrintLine(const std::string& line) { PrintText(line + "\n"); }

bool OutputFailed() { return g_outputError != 0; }
