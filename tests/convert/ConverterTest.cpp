#include "ScriptedConvPrompter.h"
#include "convert/CommandLine.h"
#include "convert/Converter.h"
#include "tests/support/Headless.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace dw::convert;
using dw::convert::test::ScriptedConvPrompter;
using dw::test::TempDir;

namespace {
const QByteArray kOld = "Anna\r\n05/01/1980\r\n-\r\n1\r\nBen\r\n12/03/1990\r\nroom 4\r\n0";
const QByteArray kNew = "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\nBen\r\n12/03/1990\r\nroom 4\r\n0\r\n00/00 00/00 00/00";
const Box kSuccess{"Converted successfully!", "Success", BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
const Box kOverwrite{"Destination file already exists. Do you want to overwrite?", "Overwrite?", BoxIcon::Exclamation,
                     BoxButtons::YesNo, Answer::No};

// Exit status, then what went to stdout and stderr.
using CliRun = std::tuple<int, QString, QString>;
CliRun cli(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCommandLine(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}
} // namespace

TEST(ConverterTest, DestinationRulesAndTheOverwriteQuestion)
{
    EXPECT_EQ(proposedDestination("/lists/family.dwe"), "/lists/family_con.dwe");
    EXPECT_EQ(proposedDestination("/lists/abc"), "/lists/abc_con.dwe");
    EXPECT_EQ(proposedDestination("/lists/family.txt"), "/lists/family_con.dwe");
    EXPECT_EQ(proposedDestination(QString::fromUtf8("/lists/x\U0001F382\U0001F382\U0001F382\U0001F382")), "/lists/x_con.dwe");
    EXPECT_EQ(completedDestination("/lists/new.DwE"), "/lists/new.DwE");
    EXPECT_EQ(completedDestination("/lists/new.txt"), "/lists/new.txt.dwe");

    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    ScriptedConvPrompter prompter;
    EXPECT_EQ(convertFile(src, dir.path("typed"), prompter).destination, dir.path("typed.dwe"));
    EXPECT_EQ(TempDir::read(dir.path("typed.dwe")), kNew);
    // No destination: the proposed one, never a bare ".dwe".
    EXPECT_EQ(convertFile(src, "", prompter).destination, dir.path("old_con.dwe"));
    EXPECT_EQ(TempDir::read(dir.path("old_con.dwe")), kNew);

    const QString dest = dir.write("new.dwe", "keep me");
    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(convertFile(src, dest, prompter).outcome, Outcome::Declined);
    EXPECT_EQ(TempDir::read(dest), "keep me");
    EXPECT_EQ(convertFile(src, dest, prompter).outcome, Outcome::Converted);
    EXPECT_EQ(TempDir::read(dest), kNew);
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{kSuccess, kSuccess, kOverwrite, kOverwrite, kSuccess}));
}

TEST(ConverterTest, NothingIsWrittenForCurrentMissingOrUnreadableSources)
{
    TempDir dir;
    ScriptedConvPrompter prompter;
    // Missing, a folder, a device, no path: passed over without a word.
    for (const QString &source : {dir.path("none.dwe"), dir.root(), QStringLiteral("/dev/zero"), QString()})
        EXPECT_EQ(convertFile(source, dir.path("a.dwe"), prompter).outcome, Outcome::NoSource);
    EXPECT_TRUE(prompter.boxes.empty());

    EXPECT_EQ(convertFile(dir.write("current.dwe", kNew), "", prompter).outcome, Outcome::AlreadyConverted);
    // Too large to be a list: refused with a reason instead of exhausting memory.
    QFile huge(dir.path("huge.dwe"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxSourceBytes + 1));
    EXPECT_EQ(convertFile(huge.fileName(), "", prompter).outcome, Outcome::ReadFailed);
    const Box converted{"File has already been converted.", "Converted", BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
    const Box tooLarge{"Cannot read the file \"" + huge.fileName() + "\":\r\nThe file is larger than 256 MB", "Error",
                       BoxIcon::Critical, BoxButtons::Ok, Answer::Ok};
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{converted, tooLarge}));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files).size(), 2);
}

TEST(ConverterTest, WriteFailuresAreReportedAndKeepTheOldFile)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    const QString locked = dir.write("locked.dwe", "keep me");
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    QDir(dir.root()).mkdir("folder.dwe");
    ScriptedConvPrompter prompter;
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(convertFile(src, dir.path("missing/new.dwe"), prompter).outcome, Outcome::WriteFailed);
    EXPECT_EQ(convertFile(src, locked, prompter).outcome, Outcome::WriteFailed);
    EXPECT_EQ(TempDir::read(locked), "keep me");
    // A folder in the way is no file to overwrite: no question, only the failure.
    EXPECT_EQ(convertFile(src, dir.path("folder.dwe"), prompter).outcome, Outcome::WriteFailed);
    // A pipe is asked about like any file, but never replaced by a plain one.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("pipe.dwe")).constData(), 0600), 0);
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(convertFile(src, dir.path("pipe.dwe"), prompter).outcome, Outcome::WriteFailed);
    EXPECT_FALSE(QFileInfo(dir.path("pipe.dwe")).isFile());

    ASSERT_EQ(prompter.boxes.size(), 6u);
    EXPECT_EQ(prompter.boxes[0],
              (Box{"Cannot write the file \"" + dir.path("missing/new.dwe") + "\":\r\nNo such file or directory\r\nNothing was converted.",
                   "Error", BoxIcon::Critical, BoxButtons::Ok, Answer::Ok}));
    EXPECT_EQ(prompter.boxes[1], kOverwrite);
    EXPECT_EQ(prompter.boxes[2].text, "Cannot write the file \"" + locked + "\":\r\nThe file is read-only\r\nNothing was converted.");
    EXPECT_TRUE(prompter.boxes[3].text.startsWith("Cannot write the file \"" + dir.path("folder.dwe") + "\":\r\n"));
    EXPECT_EQ(prompter.boxes[4], kOverwrite);
    EXPECT_EQ(prompter.boxes[5].text, "Cannot write the file \"" + dir.path("pipe.dwe") + "\":\r\nIt is a pipe, not a regular file\r\nNothing was converted.");
}

TEST(ConverterTest, SourcesThatAreNoListAreToldApartFromConvertedOnes)
{
    QByteArray random(4096, Qt::Uninitialized);
    QRandomGenerator rng(19);
    for (char &c : random)
        c = char(rng.bounded(256));
    QByteArray randomNoNul = random;
    randomNoNul.replace('\0', '\x01');
    const QString utf16Text = QString::fromLatin1(kOld);
    QByteArray utf16le(reinterpret_cast<const char *>(utf16Text.utf16()), utf16Text.size() * 2);

    const QString empty = "The file is empty: it is not a list file of the previous format.";
    const QString binary = "The file is not a list file of the previous format: it holds binary data, not text.";
    const QString utf16 = "The file is UTF-16 text, not a list file of the previous format.\r\n"
                          "Save it as ANSI or UTF-8 text and convert it again.";
    const struct {
        QByteArray bytes;
        Outcome outcome;
        QString text;
    } cases[] = {
        {"", Outcome::NotAList, empty},
        {"\r\n\r\n", Outcome::NotAList, empty},
        {QByteArray(300, '\0'), Outcome::NotAList, binary},
        {random, Outcome::NotAList, binary},
        {randomNoNul, Outcome::NotAList, binary},
        {"\xFF\xFE" + utf16le, Outcome::NotAList, utf16},
        {utf16le, Outcome::NotAList, utf16},
        {kNew, Outcome::AlreadyConverted, "File has already been converted."},
        // Text with the line count of two old events converts, whatever it says.
        {"a\nb\nc\nd\ne\nf\ng\nh", Outcome::Converted, "Converted successfully!"},
        // Windows-1252 text is still text.
        {"J\xfcrgen\r\n05/01/1980\r\n-\r\n1\r\nB\xe9\r\n12/03/1990\r\n-\r\n0", Outcome::Converted, "Converted successfully!"},
    };
    for (const auto &c : cases) {
        TempDir dir;
        const QString dest = dir.write("dest.dwe", "keep me");
        ScriptedConvPrompter prompter;
        prompter.answers = {Answer::Yes};
        EXPECT_EQ(convertFile(dir.write("src.dwe", c.bytes), dest, prompter).outcome, c.outcome) << c.text.toStdString();
        ASSERT_FALSE(prompter.boxes.empty());
        EXPECT_EQ(prompter.boxes.back().text, c.text);
        if (c.outcome == Outcome::NotAList) {
            EXPECT_EQ(prompter.boxes.back(), (Box{c.text, "Not a list file", BoxIcon::Exclamation, BoxButtons::Ok, Answer::Ok}));
            EXPECT_EQ(TempDir::read(dest), "keep me");
        }
    }
}

TEST(CommandLineTest, ConvertsWithoutAWindowAndExitsNonZeroWhenNothingIsWritten)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    const QString con = dir.path("old_con.dwe");
    EXPECT_EQ(cli({src}), (CliRun{0, "Converted successfully!\nWrote " + con + " (2 events)\n", ""}));
    EXPECT_EQ(TempDir::read(con), kNew);
    dir.write("old_con.dwe", "keep me");
    EXPECT_EQ(cli({src}), (CliRun{1, "", "wrenfix: " + con + " already exists; nothing written (use --force to replace it)\n"}));
    EXPECT_EQ(TempDir::read(con), "keep me");
    EXPECT_EQ(std::get<0>(cli({"--force", src})), 0);
    EXPECT_EQ(TempDir::read(con), kNew);
    EXPECT_EQ(cli({con, dir.path("again")}), (CliRun{1, "File has already been converted.\n", ""}));
    EXPECT_EQ(cli({dir.path("none.dwe")}), (CliRun{1, "", "wrenfix: " + dir.path("none.dwe") + ": no such file\n"}));
    EXPECT_EQ(cli({dir.root()}), (CliRun{1, "", "wrenfix: " + dir.root() + ": is a folder, not a list file\n"}));
    EXPECT_EQ(std::get<2>(cli({src, dir.path("no/new.dwe")})),
              "wrenfix: Cannot write the file \"" + dir.path("no/new.dwe") + "\":\nNo such file or directory\nNothing was converted.\n");
    EXPECT_EQ(std::get<0>(cli({"a", "b", "c"})), 2);
    EXPECT_EQ(cli({"--frob", src}), (CliRun{2, "", "wrenfix: unknown option --frob (see wrenfix --help)\n"}));
    EXPECT_TRUE(std::get<1>(cli({"--help"})).startsWith("Usage: wrenfix [--force] OLD.dwe [NEW.dwe]\n"));
}

TEST(CommandLineTest, ProgramRunsHeadlessAndExplainsAMissingDisplay)
{
    const QString program = QStringLiteral(DW_BINARY_DIR "/wrenfix");
    if (!QFile::exists(program))
        GTEST_SKIP() << "wrenfix not built";
    TempDir dir;
    QProcess process;
    ASSERT_TRUE(dw::test::runWithoutDisplay(process, program, {dir.write("old.dwe", kOld), dir.path("new.dwe")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(TempDir::read(dir.path("new.dwe")), kNew);
    ASSERT_TRUE(dw::test::runWithoutDisplay(process, program, {}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), noDisplayText());
}
