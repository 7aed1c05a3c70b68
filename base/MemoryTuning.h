#pragma once

// Process-wide allocator settings for a program that loads and discards
// large projects. On a virtual machine every page fault costs microseconds,
// and a large project touches tens of thousands of fresh pages.

// Keeps freed memory in the process for reuse, instead of handing it back to
// the system at once and mapping it anew for the next project. Call once,
// early in main; safe to call again.
void KeepFreedMemoryForReuse();

// Starts the program again, once, with the C library told to back its heap
// with transparent huge pages where the system allows them (one fault per
// 2 MiB instead of per 4 KiB). Call first thing in main, before any thread or
// window exists; it returns (doing nothing more) when the setting is already
// in force, when the system offers no huge pages, or when starting again
// fails. Programs it starts later do not inherit the setting.
void StartWithHugePageHeap(char** argv);
