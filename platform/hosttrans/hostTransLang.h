// Stand-in for the host code-set translation library: the names of the code sets that data
// can be translated with between the workstation and a host, numbered from 1.
#pragma once

class hostTransLang {
public:
    // The number of code sets; -1 when the library fails.
    static int GetNumLangsSupported();
    // Writes the NUL-terminated name of code set `id` (at most `size` bytes, cut if longer);
    // FALSE for an unknown id or when the library fails.
    static bool GetLangStrFromId(int id, char* buffer, int size);

    // Tests: every call fails while set.
    static void SetFailing(bool failing);
};
