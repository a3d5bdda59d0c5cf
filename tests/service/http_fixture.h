#pragma once
// The service's HTTP interface on a loopback port of its own, in front of a fake port, and a
// real HTTP client to talk to it.
#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "service/service.h"
#include "tests/service/fake_port.h"
#include "tests/support/private_network.h"

namespace kx::service::test {

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override { KX_REQUIRE_PRIVATE_NETWORK(); }

    void Start(std::optional<std::string> token = std::nullopt) {
        ServiceOptions o;
        o.http.listen = {0x7F000001, 0};
        o.http.token = std::move(token);
        service = std::make_unique<Service>(port, std::move(o));
        std::string error;
        ASSERT_TRUE(service->Start(error)) << error;
        client = std::make_unique<httplib::Client>("127.0.0.1", service->HttpPort());
        client->set_read_timeout(10, 0);
    }

    httplib::Result Put(const std::string& path, const std::string& body) {
        return client->Put(path.c_str(), headers, body, "application/json");
    }
    httplib::Result Post(const std::string& path, const std::string& body,
                         const char* type = "application/json") {
        return client->Post(path.c_str(), headers, body, type);
    }
    httplib::Result Get(const std::string& path) { return client->Get(path.c_str(), headers); }

    static nlohmann::json Json(const httplib::Result& r) {
        return nlohmann::json::parse(r->body, nullptr, false);
    }

    // Status and, for errors, that the body is a JSON error object.
    static int Status(const httplib::Result& r) {
        if (!r)
            return -1;
        if (r->status >= 400) {
            const auto j = Json(r);
            EXPECT_TRUE(j.is_object() && j.contains("error") && j["error"].is_string())
                << r->status << " " << r->body;
        }
        return r->status;
    }

    FakePort port;
    std::unique_ptr<Service> service;
    std::unique_ptr<httplib::Client> client;
    httplib::Headers headers;
};

} // namespace kx::service::test
