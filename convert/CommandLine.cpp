#include "convert/CommandLine.h"

#include "convert/Converter.h"

#include <QFileInfo>

namespace dw::convert {

namespace {

const char kUsage[] =
    "Usage: wrenfix [--force] OLD.dwe [NEW.dwe]\n"
    "       wrenfix --help | --version\n"
    "       wrenfix                      (opens the converter window)\n"
    "\n"
    "Converts a list of the previous format (four lines per event) into the current one\n"
    "(five lines per event; each event gets \"00/00 00/00 00/00\", no customised dates).\n"
    "NEW.dwe defaults to OLD_con.dwe beside OLD.dwe; \".dwe\" is added when NEW lacks it.\n"
    "  --force    replace NEW.dwe when it exists (otherwise nothing is written)\n"
    "Exit status: 0 when the list was written, 1 when nothing was written, 2 for a wrong\n"
    "command line.\n";

// Answers for a terminal: messages are printed, the overwrite question takes its answer from
// --force, so a script never waits for a reply.
class PrintingPrompter final : public ConvPrompter {
public:
    PrintingPrompter(bool force, QTextStream &out, QTextStream &err)
        : force_(force), out_(out), err_(err)
    {
    }

    Answer ask(const Box &box) override
    {
        if (box.buttons == BoxButtons::YesNo)
            return force_ ? Answer::Yes : Answer::No;
        QString text = box.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (box.icon == BoxIcon::Critical || box.icon == BoxIcon::Exclamation)
            err_ << "wrenfix: " << text << '\n';
        else
            out_ << text << '\n';
        return Answer::Ok;
    }

    QString chooseSource() override { return QString(); }

private:
    bool force_;
    QTextStream &out_;
    QTextStream &err_;
};

} // namespace

QString noDisplayText()
{
    return QStringLiteral(
        "wrenfix: no display found, so the converter window cannot open.\n"
        "Run it under a virtual display:  xvfb-run -a wrenfix\n"
        "or convert without a window:     wrenfix OLD.dwe [NEW.dwe]\n");
}

int runCommandLine(const QStringList &args, QTextStream &out, QTextStream &err)
{
    bool force = false;
    bool optionsEnded = false;
    QStringList paths;
    for (const QString &arg : args) {
        if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            if (arg == QLatin1String("--")) {
                optionsEnded = true;
            } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
                out << kUsage;
                return 0;
            } else if (arg == QLatin1String("--version")) {
                out << "wrenfix 7.0.3\n";
                return 0;
            } else if (arg == QLatin1String("--force")) {
                force = true;
            } else {
                err << "wrenfix: unknown option " << arg << " (see wrenfix --help)\n";
                return 2;
            }
            continue;
        }
        paths << arg;
    }
    if (paths.isEmpty() || paths.size() > 2) {
        err << "wrenfix: expected OLD.dwe and optionally NEW.dwe (see wrenfix --help)\n";
        return 2;
    }

    const QString source = paths.at(0);
    const QString destination = paths.value(1);
    PrintingPrompter prompter(force, out, err);
    const ConvertResult result = convertFile(source, destination, prompter);
    switch (result.outcome) {
    case Outcome::NoSource:
        err << "wrenfix: " << source
            << (QFileInfo(source).isDir()        ? ": is a folder, not a list file\n"
                : QFileInfo::exists(source) ? ": is not a regular file\n"
                                            : ": no such file\n");
        return 1;
    case Outcome::Declined:
        err << "wrenfix: " << result.destination
            << " already exists; nothing written (use --force to replace it)\n";
        return 1;
    case Outcome::Converted:
        out << "Wrote " << result.destination << " (" << result.events
            << (result.events == 1 ? " event" : " events") << ")\n";
        return 0;
    case Outcome::ReadFailed:
    case Outcome::NotAList:
    case Outcome::AlreadyConverted:
    case Outcome::WriteFailed:
        return 1; // the prompter has printed why
    }
    return 1;
}

} // namespace dw::convert
