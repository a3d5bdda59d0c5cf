// kx7214d's command line and token file: what starts, and what is refused with a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "service/options.h"
#include "service/token.h"

namespace kx::service {
namespace {

struct Parsed {
    std::optional<CommandLine> cl;
    int status = -1;
    std::string err;
};

Parsed Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "kx7214d");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostringstream out, err;
    Parsed p;
    p.cl = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, p.status);
    p.err = err.str();
    return p;
}

TEST(CommandLine, DefaultsToLoopbackWithoutTsl) {
    const Parsed p = Parse({});
    ASSERT_TRUE(p.cl) << p.err;
    EXPECT_EQ(p.cl->listen.ip, 0x7F000001u);
    EXPECT_EQ(p.cl->listen.port, 8723);
    EXPECT_FALSE(p.cl->tsl.udp || p.cl->tsl.tcp);
}

TEST(CommandLine, ListenBeyondLoopbackNeedsAToken) {
    Parsed p = Parse({"--listen", "0.0.0.0:8080"});
    EXPECT_FALSE(p.cl);
    EXPECT_EQ(p.status, kExitUsage);
    EXPECT_NE(p.err.find("--token-file"), std::string::npos) << p.err;
    p = Parse({"--listen", "192.0.2.1:8080", "--token-file", "t"});
    ASSERT_TRUE(p.cl) << p.err;
    EXPECT_EQ(p.cl->listen.port, 8080);
    // Every loopback address is fine without one.
    EXPECT_TRUE(Parse({"--listen", "127.0.0.5:1"}).cl);
}

TEST(CommandLine, RefusesWhatCannotWork) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--listen", "localhost:8723"},
             {"--listen", "127.0.0.1"},
             {"--listen", "127.0.0.1:0"},
             {"--listen", "127.0.0.1:65536"},
             {"--listen", "127.0.0.1:-1"},
             {"--tsl", "udp:8900"},
             {"--map", "m.json"},
             {"--tsl", "udp:7000", "--map", "m.json"},
             {"--tsl", "sctp:8900", "--map", "m.json"},
             {"--tsl", "udp:8900", "--tsl", "udp:8901", "--map", "m.json"},
             {"--tsl", "tcp:", "--map", "m.json"},
             {"--unknown"},
         }) {
        const Parsed p = Parse(args);
        EXPECT_FALSE(p.cl) << args[0];
        EXPECT_EQ(p.status, kExitUsage) << args[0];
        EXPECT_FALSE(p.err.empty());
    }
}

TEST(CommandLine, TslOnBothTransports) {
    const Parsed p = Parse({"--tsl", "udp:8900", "--tsl", "tcp:7000", "--map", "m.json"});
    ASSERT_TRUE(p.cl) << p.err;
    EXPECT_EQ(p.cl->tsl.udp, 8900);
    EXPECT_EQ(p.cl->tsl.tcp, 7000); // TCP 7000 is not the devices' UDP port
}

TEST(TokenFile, FirstLineWithoutSurroundingBlanks) {
    const auto dir = std::filesystem::temp_directory_path() / "kx7214d-token-test";
    std::filesystem::create_directories(dir);
    const auto write = [&](const std::string& text) {
        std::ofstream(dir / "token", std::ios::binary) << text;
        return dir / "token";
    };
    std::string error;
    EXPECT_EQ(LoadToken(write("  s3cret \r\nsecond line\n"), error), "s3cret");
    EXPECT_FALSE(LoadToken(write(""), error));
    EXPECT_FALSE(LoadToken(write(" \t\n"), error));
    EXPECT_NE(error.find("no token"), std::string::npos) << error;
    EXPECT_FALSE(LoadToken(dir / "missing", error));
    std::filesystem::remove_all(dir);
}

TEST(TokenCheck, OnlyTheExactBearerTokenMatches) {
    EXPECT_TRUE(AuthorizationMatches("Bearer abc", "abc"));
    EXPECT_FALSE(AuthorizationMatches("Bearer abd", "abc"));
    EXPECT_FALSE(AuthorizationMatches("Bearer ab", "abc"));
    EXPECT_FALSE(AuthorizationMatches("Bearer abcd", "abc"));
    EXPECT_FALSE(AuthorizationMatches("Bearer ", "abc"));
    EXPECT_FALSE(AuthorizationMatches("", "abc"));
    EXPECT_FALSE(AuthorizationMatches("Bearer abc", ""));
    EXPECT_FALSE(AuthorizationMatches("bearer abc", "abc"));
}

} // namespace
} // namespace kx::service
