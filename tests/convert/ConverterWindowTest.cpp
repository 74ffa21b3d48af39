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
    QStringList captions;
    for (const char *name : {"cmdBrowse", "cmdConvert", "cmdHelp", "cmdExit"})
        captions << window.findChild<QPushButton *>(name)->text();
    for (const QLabel *label : window.findChildren<QLabel *>())
        captions << label->text();
    EXPECT_EQ(captions, (QStringList{"&Browse", "&Convert", "Help", "&Exit", "Source :", "Destination :"}));

    // A cancelled dialog changes nothing; a chosen file fills both boxes.
    prompter.paths = {"", src};
    QTest::mouseClick(window.findChild<QPushButton *>("cmdBrowse"), Qt::LeftButton);
    EXPECT_TRUE(source->text().isEmpty() && dest->text().isEmpty());
    QTest::mouseClick(window.findChild<QPushButton *>("cmdBrowse"), Qt::LeftButton);
    EXPECT_EQ(source->text(), src);
    EXPECT_EQ(dest->text(), dir.path("family_con.dwe"));

    // A typed destination without extension gets one, shown in its box.
    dest->setText(dir.path("typed"));
    QTest::mouseClick(window.findChild<QPushButton *>("cmdConvert"), Qt::LeftButton);
    EXPECT_EQ(dest->text(), dir.path("typed.dwe"));
    EXPECT_EQ(dw::test::TempDir::read(dir.path("typed.dwe")), "Anna\r\n05/01/1980\r\n-\r\n1\r\n00/00 00/00 00/00");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QTest::mouseClick(window.findChild<QPushButton *>("cmdHelp"), Qt::LeftButton);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[0].text, "Converted successfully!");
    EXPECT_EQ(prompter.boxes[1],
              (Box{"A new feature, Customise Event, has been added to Datewren, which stores some data in DWE file.\r\n"
                   "Therefore files saved in Datewren 7.0.2 needs to be converted before opening in version 7.0.3.\r\n\r\n"
                   "Press Browse select an DWE file and press Convert.",
                   "DWE Converter", BoxIcon::Question, BoxButtons::Ok, Answer::Ok}));

    QTest::mouseClick(window.findChild<QPushButton *>("cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}
