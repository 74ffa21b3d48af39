#include "ScriptedConvPrompter.h"
#include "convert/Converter.h"
#include "convert/ConverterWindow.h"
#include "tests/support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace dw::convert;
using dw::convert::test::ScriptedConvPrompter;
using dw::test::TempDir;

TEST(ConverterWindowTest, BrowseConvertHelpAndExitDriveTheWindow)
{
    TempDir dir;
    const QString src = dir.write("family.dwe", "Anna\r\n05/01/1980\r\n-\r\n1");
    ScriptedConvPrompter prompter;
    ConverterWindow window(prompter);
    window.show();
    EXPECT_EQ(window.windowTitle(), "DWE Converter - From 7.0.2 to 7.0.3");
    auto *source = window.findChild<QLineEdit *>("txtSource");
    auto *dest = window.findChild<QLineEdit *>("txtDest");
    auto *browse = window.findChild<QPushButton *>("cmdBrowse");
    auto *convert = window.findChild<QPushButton *>("cmdConvert");
    auto *help = window.findChild<QPushButton *>("cmdHelp");
    auto *exit = window.findChild<QPushButton *>("cmdExit");
    ASSERT_TRUE(source && dest && browse && convert && help && exit);
    EXPECT_EQ(browse->text(), "&Browse");
    EXPECT_EQ(convert->text(), "&Convert");
    EXPECT_EQ(help->text(), "Help");
    EXPECT_EQ(exit->text(), "&Exit");
    QStringList labels;
    for (const QLabel *label : window.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_EQ(labels, (QStringList{"Source :", "Destination :"}));
    EXPECT_TRUE(source->text().isEmpty() && dest->text().isEmpty());

    // A cancelled dialog changes nothing; a chosen file fills both boxes.
    prompter.choose("").choose(src);
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_TRUE(source->text().isEmpty());
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(prompter.dialogs, 2);
    EXPECT_EQ(source->text(), src);
    EXPECT_EQ(dest->text(), dir.path("family_con.dwe"));

    // A typed destination without extension gets one, shown in its box.
    dest->setText(dir.path("typed"));
    QTest::mouseClick(convert, Qt::LeftButton);
    EXPECT_EQ(dest->text(), dir.path("typed.dwe"));
    EXPECT_EQ(TempDir::read(dir.path("typed.dwe")), "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(prompter.boxes, (std::vector<Box>{successBox(), helpBox()}));

    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}
