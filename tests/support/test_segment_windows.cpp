// The second segment is a veth pair made with `ip` inside the test program's own network
// namespace; a Windows program has neither. The tests that need it are left out of the Windows
// run (tests/CMakeLists.txt); should one run all the same, it learns why there is no segment.
#include "tests/support/test_segment.h"

namespace kx::test {

TestSegment::TestSegment(const std::vector<std::uint32_t>&)
    : m_problem("a second network segment is made only in a Linux network namespace") {}

TestSegment::~TestSegment() = default;

bool TestSegment::RunIp(const std::vector<std::string>&) {
    return false;
}

bool TestSegment::Ip(const std::vector<std::string>&) {
    return false;
}

} // namespace kx::test
