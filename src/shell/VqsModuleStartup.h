// The module's globals are made in one explicit order when the library loads, instead of in
// whatever order the linker gives their static initialisers, and taken down in the reverse
// order when it unloads.
#pragma once

class CComModule;

// Makes the globals, then runs the application's InitInstance. Once per load; a second
// call does nothing.
void VqsStartModule();
// Runs the application's ExitInstance, then takes the globals down in the reverse order.
void VqsEndModule();

// The module's COM module object while the module is started; null otherwise.
CComModule* VqsGetComModule();
