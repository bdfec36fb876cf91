// The seed of a seeded test, printed so that a run can be replayed.
#pragma once

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace testsupport {

// ZEMB_SEED when set (to replay a run), otherwise a fresh seed. Printed as
// "[seed] <test> ZEMB_SEED=<seed>".
inline unsigned testSeed(const std::string& testName)
{
    const char* given = std::getenv("ZEMB_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    std::cout << "[seed] " << testName << " ZEMB_SEED=" << seed << "\n";
    return seed;
}

} // namespace testsupport
