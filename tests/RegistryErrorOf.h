#pragma once
#include <gtest/gtest.h>

#include "registry/RegistryError.h"

// The registry error an operation raises; a test failure when it raises none.
template <typename F>
RegistryError registryErrorOf(F&& operation) {
  try {
    operation();
  } catch (const RegistryError& error) {
    return error;
  }
  ADD_FAILURE() << "no registry error raised";
  return RegistryError(0, L"");
}
