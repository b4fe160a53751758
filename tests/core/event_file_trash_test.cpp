// Deleting an item's event file moves it to the desktop's trash; a link goes
// itself and what it points to stays; where there is no trash, it is deleted.

#include "core/EventFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

TEST(EventFileTrash, DeletedFilesGoToTheTrashAndLinkTargetsStay)
{
    QTemporaryDir root;
    const QString project = root.filePath("project"), trash = root.filePath("home/data/Trash");
    // A home trash on the project's device, whose folder does not exist yet.
    qputenv("HOME", QFile::encodeName(root.filePath("home")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home/data")));
    ASSERT_TRUE(QDir(root.path()).mkpath("project/6.pev") && QDir(root.path()).mkdir("cwd") && QDir::setCurrent(root.filePath("cwd")));
    ASSERT_TRUE(Bytes::Write(project + "/3.pev", "item 3") && Bytes::Write(project + "/7.pev", "item 7"));
    ASSERT_TRUE(Bytes::Write(root.filePath("target.pev"), "not ours"));
    ASSERT_TRUE(QFile::link("../target.pev", project + "/4.pev") && QFile::link("../gone.pev", project + "/5.pev"));

    for (const char* name : {"3.pev", "4.pev", "5.pev"}) {
        EXPECT_TRUE(EventFile::Remove(project, name).ok) << name;
        EXPECT_FALSE(QFileInfo(project + '/' + name).isSymLink() || QFile::exists(project + '/' + name)) << name;
    }
    EXPECT_EQ(Bytes::Read(trash + "/files/3.pev"), "item 3");
    EXPECT_TRUE(QFileInfo::exists(trash + "/info/3.pev.trashinfo"));
    EXPECT_TRUE(QFileInfo(trash + "/files/4.pev").isSymLink());
    EXPECT_EQ(Bytes::Read(root.filePath("target.pev")), "not ours");
    EXPECT_FALSE(QFileInfo(trash + "/files/5.pev").isSymLink());  // a dangling link is deleted

    // A folder under the name stays, as before.
    EXPECT_FALSE(EventFile::Remove(project, "6.pev").ok);
    EXPECT_TRUE(QFileInfo(project + "/6.pev").isDir());

    // No home trash can be made: deleted, and nothing lands in the current folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(project + "/7.pev/data"));
    EXPECT_TRUE(EventFile::Remove(project, "7.pev").ok);
    EXPECT_FALSE(QFile::exists(project + "/7.pev"));
    EXPECT_EQ(QDir(root.filePath("cwd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}
