// What the host prints: one line per event, stable so that runs can be compared.
#pragma once

#include <string>

// The text with line breaks, tabs, backslashes and other control characters written as
// escapes, so that it stays on one line; a null text is "-".
std::string Escaped(const char* text);
std::string Escaped(const std::string& text);

// Writes the line and a line break to standard output at once. The first line that cannot
// be written is reported on standard error; nothing is written after it.
void PrintLine(const std::string& line);
// Writes a text to standard output as it is, as PrintLine does.
void PrintText(const std::string& text);
// True once standard output failed: the run has lost its transcript.
bool OutputFailed();
