// The module's globals are made in one explicit order when the library loads, instead of in
// whatever order the linker gives their static initialisers, and taken down in the reverse
// order when it unloads.
#pragma once

class CComModule;

// Makes the globals, then runs the application's InitInstance. Once per load; a second
// call does nothing.
void VqsStartModule();
// Runs the application's ExitInstance, then takes the globals down in the reverse order. The
// ends the process owes, and those of the sessions closed here, get their last brief try made
// inline (PxSessionEnds): no thread starts and no wait lasts beyond a bound. In a process
// forked from the one that started the module and that never called it, nothing is ended:
// what the module holds is its parent's. The globals are plain pointers that only this call
// destroys, so a child's exit() or unload ends none of them; and nothing this call uses is a
// function's static, made after the module started and so destroyed before it.
void VqsEndModule();
// An exported call made by this process: a forked process that calls the module ends it too.
void VqsNoteModuleCall();

// The module's COM module object while the module is started; null otherwise.
CComModule* VqsGetComModule();
