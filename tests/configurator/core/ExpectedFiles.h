// Comparison of generated files with the byte-exact expected files kept beside the tests.
#pragma once

#include <string>

namespace conftest {

// The bytes of tests/configurator/core/expected/<name>; when the file is missing the actual bytes
// are left in <name>.actual in the working directory for review.
std::string expectedFile(const std::string& name, const std::string& actual);

} // namespace conftest

// Asserts that `actual` equals the expected file `name` byte for byte.
#define EXPECT_SAME_AS_EXPECTED(actual, name) EXPECT_EQ(conftest::expectedFile(name, actual), actual)
