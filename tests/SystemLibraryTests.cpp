// Where the program's DLLs come from: a DLL left beside the program (orvandel_beside.dll lies
// beside this test program) is never what it loads, by its own call or by a bare name once the
// search is restricted, as a system DLL's load of its own imports is.
#include <gtest/gtest.h>

#include "base/SystemLibrary.h"
#include "scripts/driver/Driver.h"

namespace {
TEST(SystemLibrary, ADllBesideTheProgramIsNeverLoaded) {
  const std::string beside = driver::ownFolder() + "orvandel_beside.dll";
  const HMODULE loadable = LoadLibraryA(beside.c_str());
  ASSERT_NE(loadable, nullptr) << "the DLL beside the tests was not built";
  FreeLibrary(loadable);
  EXPECT_FALSE(loadSystemLibrary(L"orvandel_beside.dll"));
  EXPECT_TRUE(loadSystemLibrary(L"oleaut32.dll"));
  restrictLibrarySearch();
  EXPECT_EQ(LoadLibraryW(L"orvandel_beside.dll"), nullptr);
}
}  // namespace
