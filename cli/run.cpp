#include "cli/run.h"

#include <algorithm>

#include "cli/args.h"
#include "cli/exit_status.h"
#include "platform/log.h"

namespace kx::cli {
namespace {

// Puts the previous log sink back when the run ends, so an in-process caller keeps its own.
class LogSinkScope {
public:
    explicit LogSinkScope(platform::LogSink sink) : m_old(platform::SetLogSink(std::move(sink))) {}
    ~LogSinkScope() { platform::SetLogSink(std::move(m_old)); }
    LogSinkScope(const LogSinkScope&) = delete;
    LogSinkScope& operator=(const LogSinkScope&) = delete;

private:
    platform::LogSink m_old;
};

platform::LogSink SinkFor(bool verbose, std::ostream& err) {
    if (!verbose)
        return {};
    return [&err](std::string_view line) {
        err << line;
        err.flush();
    };
}

// CLI11's messages, kept to one line.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

int RunParsed(const Grammar& grammar, const Args& args, std::ostream& out, std::ostream& err) {
    LogSinkScope log(SinkFor(grammar.verbose, err));
    CliView view(err);
    CKX7214Session session(view);
    session.Publish();
    session.StartWinsock();
    FleetEngine engine;
    Context ctx{session, view, engine, out, err, grammar.json};
    for (const auto& sub : grammar.subcommands)
        if (sub.app->parsed())
            return sub.action(ctx, args);
    return Usage(err, "a subcommand is required");
}

} // namespace

int Run(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Control a KX7214 quad-view multiviewer over UDP port 7000.", "kx7214ctl"};
    Args args;
    const Grammar grammar = DefineGrammar(app, args);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e, out, err);
        return Usage(err, OneLine(e.what()));
    }
    return RunParsed(grammar, args, out, err);
}

} // namespace kx::cli
