#pragma once
#include <gtest/gtest.h>

#include "Driver.h"

// Every case starts with no running copy and a registry key of the program
// that holds only "Setup Wiz Run": the first-run wizard has been seen.
class E2eTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(e2e::FindMainWindow(), nullptr) << "a copy of the program is still running";
    e2e::DeleteProgramKey();
    e2e::WriteDword("General", "Setup Wiz Run", 1);
  }
  void TearDown() override { e2e::DeleteProgramKey(); }
};
