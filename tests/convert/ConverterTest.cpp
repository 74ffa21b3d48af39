#include "ScriptedConvPrompter.h"
#include "convert/Converter.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dw::convert;
using dw::convert::test::ScriptedConvPrompter;
using dw::test::TempDir;

namespace {

const QByteArray kOld = "Anna\r\n05/01/1980\r\n-\r\n1\r\nBen\r\n12/03/1990\r\nroom 4\r\n0";
const QByteArray kNew =
    "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\nBen\r\n12/03/1990\r\nroom 4\r\n0\r\n00/00 00/00 00/00";

} // namespace

TEST(ConverterTest, MessagesAreExact)
{
    EXPECT_EQ(alreadyConvertedBox(), (Box{"File has already been converted.", "Converted", BoxIcon::Information, BoxButtons::Ok, Answer::Ok}));
    EXPECT_EQ(overwriteBox(), (Box{"Destination file already exists. Do you want to overwrite?", "Overwrite?", BoxIcon::Exclamation, BoxButtons::YesNo, Answer::No}));
    EXPECT_EQ(successBox(), (Box{"Converted successfully!", "Success", BoxIcon::Information, BoxButtons::Ok, Answer::Ok}));
    EXPECT_EQ(helpBox(), (Box{"A new feature, Customise Event, has been added to Datewren, which stores some data in DWE file.\r\n"
                              "Therefore files saved in Datewren 7.0.2 needs to be converted before opening in version 7.0.3.\r\n\r\n"
                              "Press Browse select an DWE file and press Convert.",
                              "DWE Converter", BoxIcon::Question, BoxButtons::Ok, Answer::Ok}));
    EXPECT_EQ(writeFailedBox("/x/a.dwe", "Permission denied"),
              (Box{"Cannot write the file \"/x/a.dwe\":\r\nPermission denied\r\nNothing was converted.", "Error", BoxIcon::Critical, BoxButtons::Ok, Answer::Ok}));
    EXPECT_EQ(readFailedBox("/x/a.dwe", "Too big"),
              (Box{"Cannot read the file \"/x/a.dwe\":\r\nToo big", "Error", BoxIcon::Critical, BoxButtons::Ok, Answer::Ok}));
}

TEST(ConverterTest, DestinationRules)
{
    EXPECT_EQ(proposedDestination("/lists/family.dwe"), "/lists/family_con.dwe");
    EXPECT_EQ(proposedDestination("/lists/family.DWE"), "/lists/family_con.dwe");
    EXPECT_EQ(proposedDestination("/lists/abc"), "/lists/abc_con.dwe");
    EXPECT_EQ(completedDestination("/lists/new"), "/lists/new.dwe");
    EXPECT_EQ(completedDestination("/lists/new.DwE"), "/lists/new.DwE");
    EXPECT_EQ(completedDestination("/lists/new.dwe.txt"), "/lists/new.dwe.txt.dwe");

    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    ScriptedConvPrompter prompter;
    ConvertResult r = convertFile(src, dir.path("typed"), prompter);
    EXPECT_EQ(r.outcome, Outcome::Converted);
    EXPECT_EQ(r.destination, dir.path("typed.dwe"));
    EXPECT_EQ(TempDir::read(dir.path("typed.dwe")), kNew);
    // No destination given: the proposed one, never a bare ".dwe".
    r = convertFile(src, QString(), prompter);
    EXPECT_EQ(r.destination, dir.path("old_con.dwe"));
    EXPECT_EQ(TempDir::read(dir.path("old_con.dwe")), kNew);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0], successBox());
    EXPECT_EQ(prompter.boxes[1], successBox());
}

TEST(ConverterTest, OverwriteQuestionGuardsAnExistingFile)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    const QString dest = dir.write("new.dwe", "keep me");
    ScriptedConvPrompter prompter;
    prompter.answer(Answer::No);
    EXPECT_EQ(convertFile(src, dest, prompter).outcome, Outcome::Declined);
    EXPECT_EQ(TempDir::read(dest), "keep me");
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0], overwriteBox());

    prompter.answer(Answer::Yes);
    EXPECT_EQ(convertFile(src, dest, prompter).outcome, Outcome::Converted);
    EXPECT_EQ(TempDir::read(dest), kNew);
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_EQ(prompter.boxes[1], overwriteBox());
    EXPECT_EQ(prompter.boxes[2], successBox());
}

TEST(ConverterTest, NothingIsWrittenForCurrentMissingOrBadSources)
{
    TempDir dir;
    ScriptedConvPrompter prompter;
    // Missing, a folder, a device: passed over without a word.
    EXPECT_EQ(convertFile(dir.path("none.dwe"), dir.path("a.dwe"), prompter).outcome, Outcome::NoSource);
    EXPECT_EQ(convertFile(dir.root(), dir.path("a.dwe"), prompter).outcome, Outcome::NoSource);
    EXPECT_EQ(convertFile("/dev/zero", dir.path("a.dwe"), prompter).outcome, Outcome::NoSource);
    EXPECT_EQ(convertFile("", dir.path("a.dwe"), prompter).outcome, Outcome::NoSource);
    EXPECT_TRUE(prompter.boxes.empty());

    const QString current = dir.write("current.dwe", kNew);
    const QString empty = dir.write("empty.dwe", "");
    EXPECT_EQ(convertFile(current, dir.path("a.dwe"), prompter).outcome, Outcome::AlreadyConverted);
    EXPECT_EQ(convertFile(empty, dir.path("a.dwe"), prompter).outcome, Outcome::AlreadyConverted);
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{alreadyConvertedBox(), alreadyConvertedBox()}));

    // Too large to be a list: refused with a reason instead of exhausting memory.
    QFile huge(dir.path("huge.dwe"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxSourceBytes + 1));
    huge.close();
    EXPECT_EQ(convertFile(huge.fileName(), dir.path("a.dwe"), prompter).outcome, Outcome::ReadFailed);
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_EQ(prompter.boxes[2], readFailedBox(huge.fileName(), "The file is too large to be a list file."));
    EXPECT_FALSE(QFile::exists(dir.path("a.dwe")));
}

TEST(ConverterTest, WriteFailuresAreReportedAndKeepTheOldFile)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    ScriptedConvPrompter prompter;
    ConvertResult r = convertFile(src, dir.path("missing/new.dwe"), prompter);
    EXPECT_EQ(r.outcome, Outcome::WriteFailed);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "Error");
    EXPECT_TRUE(prompter.boxes[0].text.startsWith("Cannot write the file \"" + dir.path("missing/new.dwe") + "\":\r\n"));
    EXPECT_GT(prompter.boxes[0].text.size(), writeFailedBox(r.destination, "").text.size()); // a reason is given

    // A folder in the way is no file to overwrite: no question, only the failure.
    QDir(dir.root()).mkdir("folder.dwe");
    EXPECT_EQ(convertFile(src, dir.path("folder.dwe"), prompter).outcome, Outcome::WriteFailed);
    EXPECT_EQ(prompter.boxes.size(), 2u);

    // A read-only destination stays as it was after Yes.
    const QString locked = dir.write("locked.dwe", "keep me");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    prompter.answer(Answer::Yes);
    EXPECT_EQ(convertFile(src, locked, prompter).outcome, Outcome::WriteFailed);
    EXPECT_EQ(TempDir::read(locked), "keep me");
    ASSERT_EQ(prompter.boxes.size(), 4u);
    EXPECT_EQ(prompter.boxes[2], overwriteBox());
    EXPECT_EQ(prompter.boxes[3].icon, BoxIcon::Critical);
}
