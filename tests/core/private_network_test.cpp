#include <gtest/gtest.h>

#include "tests/support/private_network.h"

namespace kx {
namespace {

// Test programs started side by side in one namespace (a wrapper script, ctest -j) would share
// port 7000 and the simulated devices' addresses; each must have moved into its own.
TEST(PrivateNetwork, ThisProgramRunsInANamespaceItMadeForItself) {
    KX_REQUIRE_PRIVATE_NETWORK();
    ASSERT_FALSE(test::CurrentNamespace().empty());
    EXPECT_NE(test::CurrentNamespace(), test::StartNamespace());
}

} // namespace
} // namespace kx
