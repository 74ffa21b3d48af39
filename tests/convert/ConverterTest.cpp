#include "convert/CommandLine.h"
#include "convert/Converter.h"
#include "convert/ConverterWindow.h"
#include "tests/support/Headless.h"
#include "tests/support/OddFiles.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <gtest/gtest.h>

using namespace dw::convert;
using dw::test::TempDir;

namespace {
const QByteArray kRule = "00/00 00/00 00/00";
const QByteArray kOld = "Anna\r\n05/01/1980\r\n-\r\n1\r\nBen\r\n12/03/1990\r\nroom 4\r\n0";
const QByteArray kNew = "Anna\r\n05/01/1980\r\n-\r\n1\r\n" + kRule + "\r\nBen\r\n12/03/1990\r\nroom 4\r\n0\r\n" + kRule;
const Box kSuccess{"Converted successfully!", "Success"};
const Box kOverwrite{"Destination file already exists. Do you want to overwrite?", "Overwrite?", BoxIcon::Exclamation,
                     BoxButtons::YesNo, Answer::No};

// Records every box and answers from queues; the boxes are always compared whole, so one that
// should not appear fails the test.
struct Prompter final : ConvPrompter {
    QList<Answer> answers;
    QStringList paths;
    std::vector<Box> boxes;
    Answer ask(const Box &box) override
    {
        boxes.push_back(box);
        if (box.buttons == BoxButtons::Ok || answers.isEmpty())
            return Answer::Ok;
        return answers.takeFirst();
    }
    QString chooseSource() override { return paths.isEmpty() ? QString() : paths.takeFirst(); }
};

QByteArray crlf(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n")).toUtf8();
}

// Exit status, then what went to stdout and stderr.
using CliRun = std::tuple<int, QString, QString>;
CliRun cli(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCommandLine(args, o, e);
    o.flush(), e.flush();
    return {status, out, err};
}
} // namespace

TEST(ListConversionTest, OldListsOfOneToFiftyEventsConvertAndCurrentOnesAreLeftAlone)
{
    QStringList oldLines, newLines;
    for (int k = 1; k <= 50; ++k) {
        const QString address = k % 3 ? QStringLiteral("f%1@example.org").arg(k) : QStringLiteral("-");
        const QString date = QStringLiteral("%1/03/1980").arg(k % 28 + 10);
        const QStringList event{QStringLiteral("Event %1").arg(k), date, address, QString::number(k % 2)};
        oldLines << event;
        newLines << event << (k % 4 ? QString(kRule) : QStringLiteral("20/02 01/03 10/03"));
        const auto out = convertList(crlf(oldLines));
        EXPECT_EQ(out.events, k);
        EXPECT_EQ(out.bytes, crlf(QStringList(newLines).replaceInStrings("20/02 01/03 10/03", kRule))) << k;
        // LF line ends and a closing line end give the same list.
        EXPECT_EQ(convertList(crlf(oldLines).replace("\r\n", "\n") + "\n").bytes, out.bytes) << k;
        EXPECT_TRUE(convertList(crlf(newLines)).alreadyConverted) << k;
    }
    // A stray line end after a current list of three must not make its 16 lines look old.
    EXPECT_TRUE(convertList(crlf(newLines.mid(0, 15)) + "\r\n\r\n").alreadyConverted);
}

TEST(ListConversionTest, OddLinesKeepTheirPlaceAndTextIsReadAsUtf8OrWindows1252)
{
    const QByteArray tail = "\r\n01/01/2000\r\n-\r\n0", want = tail + "\r\n" + kRule;
    const std::pair<QByteArray, QByteArray> cases[] = {
        // An empty address keeps its place, so the event after it stays aligned.
        {"A\r\n01/01/2000\r\n\r\n1\r\nB" + tail, "A\r\n01/01/2000\r\n\r\n1\r\n" + kRule + "\r\nB" + want},
        // Not a multiple of four: the partial last event is kept without a rule line; a bare CR
        // ends a line too, so none survives inside a written line.
        {"a\rb\r\nc\nd\re\nf", "a\r\nb\r\nc\r\nd\r\n" + kRule + "\r\ne\r\nf"},
        {"Ren\xC3\xA9" + tail, "Ren\xC3\xA9" + want},
        {"\xEF\xBB\xBFRen\xC3\xA9" + tail, "Ren\xC3\xA9" + want},
        // e-acute, the euro sign, and the unassigned 0x81 kept as its C1 control.
        {"Ren\xE9 \x80\x81" + tail, "Ren\xC3\xA9 \xE2\x82\xAC\xC2\x81" + want},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(convertList(in).bytes, out) << in.toStdString();
}

// Every box the Convert command shows, with what it leaves on disk: the destination is written
// whole, or an existing one is left as it was.
TEST(ConverterTest, OutcomesBoxesAndTheDestinationLeft)
{
    TempDir dir;
    const QString huge = dir.path("huge.dwe");
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxSourceBytes + 1));
    QFile::setPermissions(dir.write("locked.dwe", "keep me"), QFileDevice::ReadOwner);
    QDir(dir.root()).mkdir("folder.dwe");
    ASSERT_TRUE(dw::test::makeFifo(dir.path("pipe.dwe")));
    QByteArray random(4096, Qt::Uninitialized), utf16;
    QRandomGenerator rng(19);
    for (char &c : random)
        c = char(rng.bounded(1, 256));
    for (const char c : kOld)
        utf16.append(c).append('\0');
    const auto notAList = [](const QString &text) { return Box{text, "Not a list file", BoxIcon::Exclamation}; };
    const Box empty = notAList("The file is empty: it is not a list file of the previous format.");
    const Box binary = notAList("The file is not a list file of the previous format: it holds binary data, not text.");
    const Box tooLarge{"Cannot read the file \"" + huge + "\":\r\nThe file is larger than 256 MB", "Error",
                       BoxIcon::Critical};
    const Box utf16Box = notAList("The file is UTF-16 text, not a list file of the previous format.\r\n"
                                  "Save it as ANSI or UTF-8 text and convert it again.");
    const auto cannotWrite = [&](const char *name, const QString &why) {
        const QString where = "Cannot write the file \"" + dir.path(name) + "\":\r\n";
        return Box{where + why + "\r\nNothing was converted.", "Error", BoxIcon::Critical};
    };
    const auto converted = Outcome::Converted, failed = Outcome::WriteFailed;
    const Answer yes = Answer::Yes;
    const QByteArray cp1252 = "J\xfcrgen\r\n05/01/1980\r\n-\r\n1\r\nB\xe9\r\n12/03/1990\r\n-\r\n0";
    const struct {
        QByteArray source; // the source's bytes, or its path when it starts with '/'
        std::vector<Box> boxes;
        Outcome outcome = Outcome::NotAList;
        const char *dest = "new.dwe"; // "" = the proposed one; "new.dwe" and "locked.dwe" exist, holding "keep me"
        QList<Answer> answers = {};
        const char *written = ""; // the file then holding the new list, if any
    } cases[] = {
        {kOld, {kSuccess}, converted, "", {}, "src_con.dwe"}, // never a bare ".dwe"
        {kOld, {kOverwrite}, Outcome::Declined, "new.dwe", {Answer::No}},
        {kOld, {kOverwrite, kSuccess}, converted, "new.dwe", {yes}, "new.dwe"},
        // Text with the line count of two old events converts, whatever it says; Windows-1252 is text too.
        {"a\nb\nc\nd\ne\nf\ng\nh", {kSuccess}, converted, "typed", {}, "typed.dwe"},
        {cp1252, {kSuccess}, converted, "typed", {}, "typed.dwe"},
        {kNew, {{"File has already been converted.", "Converted"}}, Outcome::AlreadyConverted},
        {"", {empty}}, {"\r\n\r\n", {empty}},
        // A NUL in what is otherwise a list, and random bytes without any NUL.
        {QByteArray("\x00\xFF\r\n01/01/2000\r\n-\r\n0", 20), {binary}}, {random, {binary}},
        {"\xFF\xFE" + utf16, {utf16Box}}, {utf16, {utf16Box}},
        // Too large to be a list: refused with a reason instead of exhausting memory.
        {huge.toUtf8(), {tooLarge}, Outcome::ReadFailed, ""},
        // Missing or a device: passed over without a word (a folder is, on the command line).
        {dir.path("none.dwe").toUtf8(), {}, Outcome::NoSource, "typed"}, {"/dev/zero", {}, Outcome::NoSource, "typed"},
        {kOld, {cannotWrite("missing/new.dwe", "No such file or directory")}, failed, "missing/new.dwe"},
        {kOld, {kOverwrite, cannotWrite("locked.dwe", "The file is read-only")}, failed, "locked.dwe", {yes}},
        // A folder in the way is no file to overwrite: no question. A pipe is asked about like any
        // file, but never replaced by a plain one.
        {kOld, {cannotWrite("folder.dwe", "Is a directory")}, failed, "folder.dwe"},
        {kOld, {kOverwrite, cannotWrite("pipe.dwe", "It is a pipe, not a regular file")}, failed, "pipe.dwe", {yes}},
    };
    for (const auto &c : cases) {
        dir.write("new.dwe", "keep me");
        QFile::remove(dir.path("typed.dwe"));
        QFile::remove(dir.path("src_con.dwe"));
        const QString source = c.source.startsWith('/') ? QString::fromUtf8(c.source) : dir.write("src.dwe", c.source);
        Prompter prompter;
        prompter.answers = c.answers;
        const ConvertResult r = convertFile(source, *c.dest ? dir.path(c.dest) : QString(), prompter);
        const std::string row = c.dest + (" " + c.source.left(40).toStdString());
        EXPECT_EQ(r.outcome, c.outcome) << row;
        EXPECT_EQ(prompter.boxes, c.boxes) << row;
        if (*c.written) {
            EXPECT_EQ(r.destination, dir.path(c.written));
            EXPECT_EQ(TempDir::read(r.destination), c.source == kOld ? kNew : convertList(c.source).bytes);
        }
        for (const char *kept : {"new.dwe", "locked.dwe"})
            if (qstrcmp(kept, c.written)) {
                EXPECT_EQ(TempDir::read(dir.path(kept)), "keep me") << kept;
            }
        EXPECT_EQ(QFile::exists(dir.path("typed.dwe")), !qstrcmp(c.written, "typed.dwe"));
        EXPECT_FALSE(QFileInfo(dir.path("pipe.dwe")).isFile());
    }
}

TEST(CommandLineTest, ConvertsWithoutAWindowAndExitsNonZeroWhenNothingIsWritten)
{
    TempDir dir;
    const QString src = dir.write("old", kOld); // shorter than the four characters cut for "_con.dwe": all kept
    const QString con = dir.path("old_con.dwe");
    EXPECT_EQ(cli({src}), (CliRun{0, "Converted successfully!\nWrote " + con + " (2 events)\n", ""}));
    EXPECT_EQ(TempDir::read(con), kNew);
    dir.write("old_con.dwe", "keep me");
    const QString exists = "wrenfix: " + con + " already exists; nothing written (use --force to replace it)\n";
    EXPECT_EQ(cli({src}), (CliRun{1, "", exists}));
    EXPECT_EQ(TempDir::read(con), "keep me");
    EXPECT_EQ(std::get<0>(cli({"--force", src})), 0);
    EXPECT_EQ(TempDir::read(con), kNew);
    EXPECT_EQ(cli({con, dir.path("again")}), (CliRun{1, "File has already been converted.\n", ""}));
    EXPECT_EQ(cli({dir.path("none.dwe")}), (CliRun{1, "", "wrenfix: " + dir.path("none.dwe") + ": no such file\n"}));
    EXPECT_EQ(cli({dir.root()}), (CliRun{1, "", "wrenfix: " + dir.root() + ": is a folder, not a list file\n"}));
    const QString cannotWrite = "wrenfix: Cannot write the file \"" + dir.path("no/new.dwe") + "\":\n"
                                "No such file or directory\nNothing was converted.\n";
    EXPECT_EQ(cli({src, dir.path("no/new.dwe")}), (CliRun{1, "", cannotWrite}));
    EXPECT_EQ(std::get<0>(cli({"a", "b", "c"})), 2);
    EXPECT_EQ(cli({"--frob", src}), (CliRun{2, "", "wrenfix: unknown option --frob (see wrenfix --help)\n"}));
    EXPECT_TRUE(std::get<1>(cli({"--help"})).startsWith("Usage: wrenfix [--force] OLD.dwe [NEW.dwe]\n"));

    // The program itself runs without any display, and without a list explains why no window opens.
    QProcess process;
    ASSERT_TRUE(dw::test::runWithoutDisplay(process, DW_BINARY_DIR "/wrenfix", {src, dir.path("new.DwE")}));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(TempDir::read(dir.path("new.DwE")), kNew); // whatever the case, the extension is not doubled
    ASSERT_TRUE(dw::test::runWithoutDisplay(process, DW_BINARY_DIR "/wrenfix", {}));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), noDisplayText());
}

TEST(ConverterWindowTest, BrowseConvertHelpAndExitDriveTheWindow)
{
    TempDir dir;
    const QString src = dir.write(QStringLiteral("family\U0001F382\U0001F382\U0001F382\U0001F382"),
                                  "Anna\r\n05/01/1980\r\n-\r\n1");
    Prompter prompter;
    ConverterWindow window(prompter);
    window.show();
    EXPECT_EQ(window.windowTitle(), "DWE Converter - From 7.0.2 to 7.0.3");
    auto *source = window.findChild<QLineEdit *>("txtSource");
    auto *dest = window.findChild<QLineEdit *>("txtDest");
    const auto click = [&](const char *name) {
        QTest::mouseClick(window.findChild<QPushButton *>(name), Qt::LeftButton);
    };
    QStringList captions;
    for (const char *name : {"cmdBrowse", "cmdConvert", "cmdHelp", "cmdExit"})
        captions << window.findChild<QPushButton *>(name)->text();
    for (const QLabel *label : window.findChildren<QLabel *>())
        captions << label->text();
    EXPECT_EQ(captions, (QStringList{"&Browse", "&Convert", "Help", "&Exit", "Source :", "Destination :"}));

    // A chosen file fills both boxes; the four characters cut from its name may be emoji.
    prompter.paths = {src};
    click("cmdBrowse");
    EXPECT_EQ(source->text(), src);
    EXPECT_EQ(dest->text(), dir.path("family_con.dwe"));

    // A typed destination without extension gets one, shown in its box (the box below says written).
    dest->setText(dir.path("typed"));
    click("cmdConvert");
    EXPECT_EQ(dest->text(), dir.path("typed.dwe"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    click("cmdHelp");
    const Box help{"A new feature, Customise Event, has been added to Datewren, which stores some data in DWE "
                   "file.\r\nTherefore files saved in Datewren 7.0.2 needs to be converted before opening in "
                   "version 7.0.3.\r\n\r\nPress Browse select an DWE file and press Convert.",
                   "DWE Converter", BoxIcon::Question};
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{kSuccess, help}));
    click("cmdExit");
    EXPECT_FALSE(window.isVisible());
}
