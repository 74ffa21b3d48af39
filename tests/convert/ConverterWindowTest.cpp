#include "ScriptedConvPrompter.h"
#include "convert/ConverterWindow.h"
#include "tests/support/TempDir.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace dw::convert;

TEST(ConverterWindowTest, BrowseConvertHelpAndExitDriveTheWindow)
{
    dw::test::TempDir dir;
    const QString src = dir.write("family.dwe", "Anna\r\n05/01/1980\r\n-\r\n1");
    test::ScriptedConvPrompter prompter;
    ConverterWindow window(prompter);
    window.show();
    EXPECT_EQ(window.windowTitle(), "DWE Converter - From 7.0.2 to 7.0.3");
    auto *source = window.findChild<QLineEdit *>("txtSource");
    auto *dest = window.findChild<QLineEdit *>("txtDest");
    const auto click = [&](const char *name) { QTest::mouseClick(window.findChild<QPushButton *>(name), Qt::LeftButton); };
    QStringList captions;
    for (const char *name : {"cmdBrowse", "cmdConvert", "cmdHelp", "cmdExit"})
        captions << window.findChild<QPushButton *>(name)->text();
    for (const QLabel *label : window.findChildren<QLabel *>())
        captions << label->text();
    EXPECT_EQ(captions, (QStringList{"&Browse", "&Convert", "Help", "&Exit", "Source :", "Destination :"}));

    // A cancelled dialog changes nothing; a chosen file fills both boxes.
    prompter.paths = {"", src};
    click("cmdBrowse");
    EXPECT_TRUE(source->text().isEmpty() && dest->text().isEmpty());
    click("cmdBrowse");
    EXPECT_EQ(source->text(), src);
    EXPECT_EQ(dest->text(), dir.path("family_con.dwe"));

    // A typed destination without extension gets one, shown in its box.
    dest->setText(dir.path("typed"));
    click("cmdConvert");
    EXPECT_EQ(dest->text(), dir.path("typed.dwe"));
    EXPECT_TRUE(QFile::exists(dir.path("typed.dwe"))); // what it holds is checked on the command
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    click("cmdHelp");
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "Converted successfully!");
    EXPECT_EQ(prompter.boxes[1],
              (Box{"A new feature, Customise Event, has been added to Datewren, which stores some data in DWE file.\r\n"
                   "Therefore files saved in Datewren 7.0.2 needs to be converted before opening in version 7.0.3.\r\n\r\n"
                   "Press Browse select an DWE file and press Convert.",
                   "DWE Converter", BoxIcon::Question, BoxButtons::Ok, Answer::Ok}));

    click("cmdExit");
    EXPECT_FALSE(window.isVisible());
}
