#include "convert/CommandLine.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

using dw::test::TempDir;

namespace {

// Exit status, then what went to stdout and stderr.
std::tuple<int, QString, QString> cli(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = dw::convert::runCommandLine(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

const QByteArray kOld = "Anna\r\n05/01/1980\r\n-\r\n1\r\nBen\r\n12/03/1990\r\nroom 4\r\n0";
const QByteArray kNew = "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\nBen\r\n12/03/1990\r\nroom 4\r\n0\r\n00/00 00/00 00/00";

} // namespace

TEST(CommandLineTest, ConvertsWithoutAWindowAndExitsNonZeroWhenNothingIsWritten)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    const QString con = dir.path("old_con.dwe");
    using R = std::tuple<int, QString, QString>;
    EXPECT_EQ(cli({src}), (R{0, "Converted successfully!\nWrote " + con + " (2 events)\n", ""}));
    EXPECT_EQ(TempDir::read(con), kNew);
    dir.write("old_con.dwe", "keep me");
    EXPECT_EQ(cli({src}), (R{1, "", "wrenfix: " + con + " already exists; nothing written (use --force to replace it)\n"}));
    EXPECT_EQ(TempDir::read(con), "keep me");
    EXPECT_EQ(std::get<0>(cli({"--force", src})), 0);
    EXPECT_EQ(TempDir::read(con), kNew);
    EXPECT_EQ(cli({con, dir.path("again")}), (R{1, "File has already been converted.\n", ""}));
    EXPECT_EQ(cli({dir.path("none.dwe")}), (R{1, "", "wrenfix: " + dir.path("none.dwe") + ": no such file\n"}));
    EXPECT_EQ(cli({dir.root()}), (R{1, "", "wrenfix: " + dir.root() + ": is a folder, not a list file\n"}));
    EXPECT_EQ(std::get<2>(cli({src, dir.path("no/new.dwe")})),
              "wrenfix: Cannot write the file \"" + dir.path("no/new.dwe") + "\":\nNo such file or directory\nNothing was converted.\n");
    EXPECT_EQ(std::get<0>(cli({"a", "b", "c"})), 2);
    EXPECT_EQ(cli({"--frob", src}), (R{2, "", "wrenfix: unknown option --frob (see wrenfix --help)\n"}));
    EXPECT_TRUE(std::get<1>(cli({"--help"})).startsWith("Usage: wrenfix [--force] OLD.dwe [NEW.dwe]\n"));
}

TEST(CommandLineTest, ProgramRunsHeadlessAndExplainsAMissingDisplay)
{
    const QString program = QStringLiteral(DW_BINARY_DIR "/wrenfix");
    if (!QFile::exists(program))
        GTEST_SKIP() << "wrenfix not built";
    TempDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {dir.write("old.dwe", kOld), dir.path("new.dwe")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(TempDir::read(dir.path("new.dwe")), kNew);

    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), dw::convert::noDisplayText());
}
