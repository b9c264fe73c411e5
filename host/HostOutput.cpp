#include "HostOutput.h"

#include <cstdio>

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

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
