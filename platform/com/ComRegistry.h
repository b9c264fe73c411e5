// The classes part of the registry, per user, in a profile file: a section per key path
// ("Wrenfield.AnvilorController\CLSID"), a line per named value, "@" for the key's own value.
// The file is $VQ_COM_REGISTRY, else $XDG_CONFIG_HOME/vqsys/com-registry.ini, else
// $HOME/.config/vqsys/com-registry.ini.
#pragma once

#include "win/CString.h"

namespace vqcom {

// Uses another file (null: back to the default one).
void SetRegistryFile(const char* path);
CString RegistryFile();

// Writes a value (the folders of the file are created); FALSE when it cannot be written.
BOOL SetRegistryValue(const char* key, const char* name, const char* value);
// The value, empty when the key or value is missing.
CString GetRegistryValue(const char* key, const char* name);

// Uses another registry file for the lifetime of the scope.
class ScopedRegistryFile {
public:
    explicit ScopedRegistryFile(const char* path);
    ~ScopedRegistryFile();
    ScopedRegistryFile(const ScopedRegistryFile&) = delete;
    ScopedRegistryFile& operator=(const ScopedRegistryFile&) = delete;

private:
    CString m_previous;
    bool m_hadPrevious;
};

} // namespace vqcom
