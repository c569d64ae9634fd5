// The error a collection file raises; its message is the one the player sees.
#pragma once

#include <stdexcept>
#include <string>

class CollectionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
