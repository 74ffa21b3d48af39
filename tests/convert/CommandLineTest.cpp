#include "convert/CommandLine.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

using dw::test::TempDir;

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun run(const QStringList &args)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = dw::convert::runCommandLine(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

const QByteArray kOld = "Anna\r\n05/01/1980\r\n-\r\n1\r\nBen\r\n12/03/1990\r\nroom 4\r\n0";
const QByteArray kNew =
    "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00\r\nBen\r\n12/03/1990\r\nroom 4\r\n0\r\n00/00 00/00 00/00";

} // namespace

TEST(CommandLineTest, ConvertsWithoutAWindowAndExitsNonZeroWhenNothingIsWritten)
{
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    CliRun r = run({src});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Converted successfully!\nWrote " + dir.path("old_con.dwe") + " (2 events)\n");
    EXPECT_EQ(TempDir::read(dir.path("old_con.dwe")), kNew);

    // The destination exists: only --force replaces it.
    dir.write("old_con.dwe", "keep me");
    r = run({src});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "wrenfix: " + dir.path("old_con.dwe") + " already exists; nothing written (use --force to replace it)\n");
    EXPECT_EQ(TempDir::read(dir.path("old_con.dwe")), "keep me");
    EXPECT_EQ(run({"--force", src}).status, 0);
    EXPECT_EQ(TempDir::read(dir.path("old_con.dwe")), kNew);

    r = run({dir.path("old_con.dwe"), dir.path("again")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "File has already been converted.\n");
    EXPECT_EQ(run({dir.path("none.dwe")}).err, "wrenfix: " + dir.path("none.dwe") + ": no such file\n");
    EXPECT_EQ(run({dir.root()}).err, "wrenfix: " + dir.root() + ": is a folder, not a list file\n");
    r = run({src, dir.path("missing/new.dwe")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("wrenfix: Cannot write the file \"" + dir.path("missing/new.dwe") + "\":\n")) << r.err.toStdString();

    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"a", "b", "c"}).status, 2);
    EXPECT_EQ(run({"--frobnicate", src}).err, "wrenfix: unknown option --frobnicate (see wrenfix --help)\n");
    r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: wrenfix [--force] OLD.dwe [NEW.dwe]\n"));
}

TEST(CommandLineTest, ProgramRunsHeadlessAndExplainsAMissingDisplay)
{
    const QString program = QStringLiteral(DW_BINARY_DIR "/wrenfix");
    if (!QFile::exists(program))
        GTEST_SKIP() << "wrenfix not built";
    TempDir dir;
    const QString src = dir.write("old.dwe", kOld);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);

    QProcess convert;
    convert.setProcessEnvironment(env);
    convert.start(program, {src, dir.path("new.dwe")});
    ASSERT_TRUE(convert.waitForFinished(30000));
    EXPECT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    EXPECT_EQ(TempDir::read(dir.path("new.dwe")), kNew);

    QProcess window;
    window.setProcessEnvironment(env);
    window.start(program, {});
    ASSERT_TRUE(window.waitForFinished(30000));
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(window.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(window.readAllStandardError()), dw::convert::noDisplayText());
}
