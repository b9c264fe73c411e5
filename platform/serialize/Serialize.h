// Stand-in for the serializer library: shift marks around runs of double-byte
// characters in the host's fixed-size text fields.
#pragma once

#include "win/Types.h"

#include <cstddef>

// Shift-out before and shift-in after each run of double-byte characters.
constexpr char kShiftOut = 0x0E;
constexpr char kShiftIn = 0x0F;

// True: this stand-in is a test build of the library.
bool IsVqSerializeTestDll();

// Non-zero when the byte starts a double-byte character.
int is_Kanji1(unsigned char byte);

// Writes `text` with shift marks into `dest` for a field of `length` bytes: the marked
// form never exceeds `length` bytes (nor `destCapacity` - 1); a text that does not fit is
// cut at a character boundary with its run closed. The last two arguments select the
// blank used on either side of a run; only 32 (no extra blanks) is supported.
// `dest` is always zero-terminated. Answers 1.
int complexInsertSokEok(char* dest, std::size_t destCapacity, const char* text, int length, int leftBlank,
                        int rightBlank);

// Writes the first `length` bytes of `text` (cut at a character boundary) with shift marks
// into `dest`, with no field to fit: only the capacity limits it (cut at a character
// boundary, its run closed). The last two arguments are as for complexInsertSokEok.
// `dest` is always zero-terminated. Answers 1.
int simpleInsertSokEok(char* dest, std::size_t destCapacity, const char* text, int length, int leftBlank,
                       int rightBlank);

// Writes `text` without shift marks into `dest` (cut to `destCapacity` - 1 at a character
// boundary, zero-terminated). Answers 1.
int removeSokEok(char* dest, std::size_t destCapacity, const char* text);

class PxVQLink;

// The extract session: 0 when the serializer is ready to work on the link's repository.
int VQSSerializeOpen(PxVQLink* link);
// The owner of the serializer's own dialogs.
void VQSSetParentWindow(HWND parent);
// Writes the named system of the open repository to "<name>.vqx" in $VQ_EXTRACT_DIR (else
// the system's temporary directory); 0 when written.
int VQSExtractSystem(const char* systemName);
void VQSSerializeClose();
