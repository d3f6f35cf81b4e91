// Readers that leave part of their own stack buffer unset pass by luck where
// the stack below the test happens to hold zeros.  Dirtying it first makes
// such a fault show.
#ifndef VELMORA_TESTS_DIRTY_STACK_H
#define VELMORA_TESTS_DIRTY_STACK_H

// What the stack below the caller is filled with: an ASCII digit, so that a
// text left unterminated reads on as a longer number, and a short number
// read into four bytes gains nonzero high bytes.
const unsigned char STACK_DIRT = '7';

// Fills the stack below the caller, deeper than any reader of the program
// goes, with STACK_DIRT.  Call it right before each read under test: any
// call in between may leave its own bytes there.
void DirtyStack();

#endif
