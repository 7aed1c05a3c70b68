#pragma once

// Asks the processor to fetch the memory at address into its caches ahead of
// use. Loading and saving a large project visit items spread over hundreds
// of megabytes in an order the hardware cannot guess; a hint a few items
// ahead hides most of the wait. Only a hint: without compiler support it does
// nothing.
inline void Prefetch(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}
