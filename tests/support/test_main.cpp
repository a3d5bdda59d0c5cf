#include <gtest/gtest.h>

#include "platform/log.h"
#include "tests/support/private_network.h"

int main(int argc, char** argv) {
    kx::test::EnterPrivateNetwork(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Tests that check diagnostic lines capture them; the rest would only fill the output.
    kx::platform::SetLogSink({});
    return RUN_ALL_TESTS();
}
