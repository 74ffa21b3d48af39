#include "app/NotifyCli.h"

#include "app/DueCli.h"
#include "app/PageCliArgs.h"

namespace dw {

int notifyCli(const QStringList &args)
{
    DueArgs a;
    if (const auto code = parseDueArgs(args, QStringLiteral("--notify"), false, &a))
        return *code;
    DueReport report;
    if (const auto code = dueReport(a, &report))
        return *code;
    if (const std::optional<QString> error = notifyDue(report))
        return cliFail(*error);
    return 0;
}

CliMode notifyMode()
{
    return CliMode{
        QStringLiteral("--notify"),
        QStringLiteral("--notify [--days N] [--today YYYY-MM-DD] [LIST.dwe]"),
        QStringLiteral(
            "  Shows one desktop notification with what --due prints: the summary names today's events\n"
            "  (\"Today: ...\", or \"Coming up: ...\" when none is today), the body has the lines of --due;\n"
            "  it is urgent when an important event is today. Sent to the session's notification server,\n"
            "  or through notify-send when none answers. Nothing due: nothing is shown, exit status 0.\n"
            "  Exit status 1 when the list cannot be read or no notification could be shown, 2 for bad\n"
            "  arguments."),
        notifyCli,
        false};
}

} // namespace dw
