#include "platform/FilePlaces.h"
#include "platform/Prompter.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace dw;

TEST(FilePlacesTest, DialogsStartBesideTheListOrTheLastFileOfTheirKindElseHome)
{
    test::TempDir home;
    const QString h = home.root();
    for (const char *folder : {"lists", "looks", "pages"})
        QDir(h).mkdir(folder);
    FilePlaces places(h);
    const auto starts = [&] {
        QStringList s;
        for (FileKind k : {FileKind::Open, FileKind::Save, FileKind::OpenReg, FileKind::SaveReg, FileKind::Html,
                           FileKind::Picture})
            s << QDir(h).relativeFilePath(places.start(k));
        return s.join(' ');
    };
    EXPECT_EQ(starts(), ". . . . Datewren/wallpaper.html .");
    EXPECT_TRUE(QDir(h + "/Datewren").exists());

    places.useList(h + "/lists/family.dwe");
    EXPECT_EQ(starts(), "lists lists/family.dwe lists lists Datewren/wallpaper.html lists");
    places.chosen(FileKind::SaveReg, h + "/looks/blue.dwt");
    places.chosen(FileKind::Html, h + "/pages/p.html");
    places.chosen(FileKind::Save, h + "/looks/copy.dwe");
    EXPECT_EQ(starts(), "looks looks/copy.dwe looks looks pages looks");
    places.chosen(FileKind::Html, "");
    places.useList(h + "/gone/x.dwe"); // a folder that no longer exists
    EXPECT_EQ(starts(), ". . looks looks pages .");
}
