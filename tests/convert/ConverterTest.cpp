#include "ScriptedConvPrompter.h"
#include "convert/Converter.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFileInfo>
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
    EXPECT_EQ(convertFile(dir.write("empty.dwe", ""), "", prompter).outcome, Outcome::AlreadyConverted);
    // Too large to be a list: refused with a reason instead of exhausting memory.
    QFile huge(dir.path("huge.dwe"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxSourceBytes + 1));
    EXPECT_EQ(convertFile(huge.fileName(), "", prompter).outcome, Outcome::ReadFailed);
    const Box converted{"File has already been converted.", "Converted", BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
    const Box tooLarge{"Cannot read the file \"" + huge.fileName() + "\":\r\nThe file is too large to be a list file.", "Error",
                       BoxIcon::Critical, BoxButtons::Ok, Answer::Ok};
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{converted, converted, tooLarge}));
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files).size(), 3);
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
    EXPECT_EQ(prompter.boxes[2].text, "Cannot write the file \"" + locked + "\":\r\nThe file is read-only.\r\nNothing was converted.");
    EXPECT_TRUE(prompter.boxes[3].text.startsWith("Cannot write the file \"" + dir.path("folder.dwe") + "\":\r\n"));
    EXPECT_EQ(prompter.boxes[4], kOverwrite);
    EXPECT_EQ(prompter.boxes[5].text, "Cannot write the file \"" + dir.path("pipe.dwe") + "\":\r\nThe path is not a regular file.\r\nNothing was converted.");
}
