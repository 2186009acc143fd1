// Checking that reading a file fails the way the user is told.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace test_common {

// `run` must throw `Failure` carrying `message`.
template <typename Failure, typename Run>
void ExpectFailure(Run run, const std::string& message) {
  try {
    run();
    ADD_FAILURE() << "accepted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Message(), message);
  } catch (const std::exception& other) {
    ADD_FAILURE() << "failed otherwise: " << other.what();
  }
}

}  // namespace test_common
