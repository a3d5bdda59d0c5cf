// The OpenAPI document and the served routes describe the same interface, in both directions.
#include <algorithm>
#include <cctype>

#include "service/http_routes.h"
#include "service/openapi.h"
#include "tests/service/http_fixture.h"

namespace kx::service::test {
namespace {

using nlohmann::json;

json Document() {
    return json::parse(OpenApiDocument());
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The parameter as written, or the one its $ref points to.
const json& Resolve(const json& doc, const json& parameter) {
    if (!parameter.contains("$ref"))
        return parameter;
    const std::string ref = parameter["$ref"];
    return doc["components"]["parameters"][ref.substr(ref.rfind('/') + 1)];
}

// The path with every {name} replaced by its parameter's example.
std::string Concrete(const json& doc, std::string path, const json& operation) {
    for (const json& p : operation.value("parameters", json::array())) {
        const json& param = Resolve(doc, p);
        if (param["in"] != "path")
            continue;
        const std::string name = "{" + param["name"].get<std::string>() + "}";
        const json& example = param["example"];
        const std::string value = example.is_string() ? example.get<std::string>() : example.dump();
        path.replace(path.find(name), name.size(), value);
    }
    return path;
}

TEST(OpenApi, IsAnOpenApi3DocumentWhoseReferencesResolve) {
    const json doc = Document();
    EXPECT_EQ(doc["openapi"], "3.0.3");
    const std::string text(OpenApiDocument());
    for (std::size_t at = text.find("\"$ref\": \"#/"); at != std::string::npos;
         at = text.find("\"$ref\": \"#/", at + 1)) {
        const std::size_t start = at + 10;
        const std::string pointer = text.substr(start, text.find('"', start) - start);
        EXPECT_TRUE(doc.contains(json::json_pointer(pointer))) << pointer;
    }
}

TEST(OpenApi, EveryRouteIsDocumented) {
    const json doc = Document();
    for (const Route& r : Routes()) {
        const std::string path(r.path);
        ASSERT_TRUE(doc["paths"].contains(path)) << path;
        EXPECT_TRUE(doc["paths"][path].contains(Lower(r.method))) << r.method << " " << path;
    }
}

TEST_F(HttpTest, EveryDocumentedOperationIsServed) {
    Start();
    const json doc = Document();
    const json served = Json(Get("/api/v1/openapi.json"));
    EXPECT_EQ(served, doc);
    int operations = 0;
    for (const auto& [path, item] : doc["paths"].items()) {
        for (const auto& [method, operation] : item.items()) {
            const std::string concrete = Concrete(doc, path, operation);
            std::string body;
            if (operation.contains("requestBody"))
                body = operation["requestBody"]["content"]["application/json"]["example"].dump();
            ASSERT_TRUE(method == "get" || method == "put" || method == "post") << method;
            const httplib::Result r = method == "get"   ? Get(concrete)
                                      : method == "put" ? Put(concrete, body)
                                                        : Post(concrete, body);
            ASSERT_TRUE(r) << method << " " << concrete;
            // The example request is carried out: a device answers with its outcome.
            EXPECT_EQ(r->status, 200) << method << " " << concrete << ": " << r->body;
            ++operations;
        }
    }
    EXPECT_EQ(operations, static_cast<int>(Routes().size()));
}

} // namespace
} // namespace kx::service::test
