#pragma once
#include <gtest/gtest.h>

#include "Driver.h"

// Every case starts with no running copy and no registry key of the program.
class E2eTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(e2e::FindMainWindow(), nullptr) << "a copy of the program is still running";
    e2e::DeleteProgramKey();
  }
  void TearDown() override { e2e::DeleteProgramKey(); }
};
