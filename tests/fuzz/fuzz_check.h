#pragma once

#include <cstdio>
#include <cstdlib>

namespace burnlab::fuzz {

// A property every input must keep; a broken one ends the run as a crash, so that the fuzzer
// keeps the input that broke it.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace burnlab::fuzz
