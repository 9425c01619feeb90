// A library operation that cannot be done: no such entry, a search term
// that means nothing, a file that cannot be read or written.
#pragma once

#include <stdexcept>

class LibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
