#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace dw::desktop {

// One run of an outside tool: a program name (looked up on PATH) and its arguments, never a
// shell line, so a picture path with blanks or quotes stays one argument.
struct Command {
    QString program;
    QStringList args;

    bool operator==(const Command &) const = default;
};

struct ToolResult {
    bool started = false;  // false: the tool is not installed (or could not be started)
    bool timedOut = false; // killed after the time limit
    int exitCode = -1;
    QString output;        // stdout
    QString errorText;     // stderr

    bool ok() const { return started && !timedOut && exitCode == 0; }
    // The tool's own words when it failed, for the user's report.
    QString failure(const Command &command) const;
};

class ToolRunner {
public:
    virtual ~ToolRunner() = default;
    // The absolute path the program would run from, or "" when it is not installed.
    virtual QString find(const QString &program) const = 0;
    virtual ToolResult run(const Command &command) = 0;
};

// Runs tools found on the PATH of the given environment, each with a time limit: a desktop
// tool waiting on a dead session must not hang the daily job.
class ProcessToolRunner final : public ToolRunner {
public:
    explicit ProcessToolRunner(QProcessEnvironment environment, int timeoutMs = 15000);
    QString find(const QString &program) const override;
    ToolResult run(const Command &command) override;

private:
    QProcessEnvironment env_;
    int timeoutMs_;
};

// The command as one line for messages, with arguments holding blanks quoted.
QString displayLine(const Command &command);

} // namespace dw::desktop
