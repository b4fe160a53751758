// Event files: creation, exact bytes of a script, save and load, failures,
// and never touching anything outside the project folder.

#include "core/Module1.h"
#include "core/EventFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

using Bytes::Hex;

const QByteArray kEmptyLine = "\"\",\"\"\r\n";

QByteArray Line(const QByteArray& kind, const QByteArray& parameter)
{
    return "\"" + kind + "\",\"" + parameter + "\"\r\n";
}

struct Project {
    QTemporaryDir root;  // the project folder is root/project
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    Project()
    {
        QDir(root.path()).mkdir("project");
        m->ProjectFolder = root.filePath("project");
        m->ItemIndex = 1;
        m->ListTable[1][1] = "item";
        m->ListTable[1][2] = "1.pev";
    }
    QString Path(const QString& name) const { return m->ProjectPath(name); }
};

TEST(EventFile, NewFileIs1005EmptyRecordsAndReadsBackUnchanged)
{
    Project p;
    ASSERT_TRUE(EventFile::Create(p.m->ProjectFolder, "1.pev").ok);
    const QByteArray created = Bytes::Read(p.Path("1.pev"));
    EXPECT_EQ(created.size(), 7035);
    EXPECT_EQ(created, kEmptyLine.repeated(1005));

    p.m->EventTable[4][0] = "left over";
    ASSERT_TRUE(EventFile::Read(*p.m).ok);
    for (int row = 0; row < Module1::kRows; ++row) {
        ASSERT_TRUE(p.m->EventTable[row][0].isEmpty()) << row;
        ASSERT_TRUE(p.m->EventTable[row][1].isEmpty()) << row;
    }
    ASSERT_TRUE(EventFile::Write(*p.m).ok);
    EXPECT_EQ(Bytes::Read(p.Path("1.pev")), created);
}

TEST(EventFile, ThreeEventScriptIsExactAndSurvivesALoad)
{
    Project p;
    p.m->EventTable[1][0] = QStringLiteral("テキスト表示");
    p.m->EventTable[1][1] = QStringLiteral("ようこそ、ペルモへ, again");  // a comma inside
    p.m->EventTable[2][0] = QStringLiteral("ウエイト");
    p.m->EventTable[2][1] = "1500";
    p.m->EventTable[3][0] = QStringLiteral("エンドレス");
    p.m->EventTable[3][1] = QStringLiteral("（最初に戻る）");
    ASSERT_TRUE(EventFile::Write(*p.m).ok);

    const QByteArray expected = kEmptyLine
        + Line(Hex("8365834C83588367955C8EA6"), Hex("82E682A482B182BB81418379838B838282D6") + ", again")
        + Line(Hex("8345834783438367"), "1500")
        + Line(Hex("834783938368838C8358"), Hex("81698DC58F8982C996DF82E9816A"))
        + kEmptyLine.repeated(1001);
    EXPECT_EQ(Bytes::Read(p.Path("1.pev")), expected);

    auto loaded = std::make_unique<Module1>();
    loaded->ProjectFolder = p.m->ProjectFolder;
    loaded->ItemIndex = 1;
    loaded->ListTable[1][2] = "1.pev";
    ASSERT_TRUE(EventFile::Read(*loaded).ok);
    for (int row = 0; row < Module1::kFileRows; ++row)
        for (int col = 0; col <= 1; ++col)
            ASSERT_EQ(loaded->EventTable[row][col], p.m->EventTable[row][col]) << row;
}

TEST(EventFile, ShortFileLeavesNoEventsOfTheItemBefore)
{
    Project p;
    ASSERT_TRUE(Bytes::Write(p.Path("1.pev"), Line("", "") + Line(Hex("8345834783438367"), "20")));
    for (int row = 0; row < Module1::kRows; ++row) p.m->EventTable[row][0] = "old";
    ASSERT_TRUE(EventFile::Read(*p.m).ok);
    EXPECT_EQ(p.m->EventTable[1][0], QStringLiteral("ウエイト"));
    EXPECT_EQ(p.m->EventTable[1][1], "20");
    for (int row = 2; row < Module1::kRows; ++row) ASSERT_TRUE(p.m->EventTable[row][0].isEmpty());
}

TEST(EventFile, MissingFilesAndNamesOutsideTheFolder)
{
    Project p;
    EXPECT_FALSE(EventFile::Exists(*p.m));
    EXPECT_FALSE(EventFile::Read(*p.m).ok);

    // A name that leaves the folder is never read, written, created or deleted.
    ASSERT_TRUE(Bytes::Write(p.root.filePath("outside.pev"), "keep"));
    for (const QString name : {QStringLiteral("../outside.pev"), QStringLiteral("..\\outside.pev"),
                               QStringLiteral(".."), QStringLiteral("")}) {
        p.m->ListTable[1][2] = name;
        EXPECT_FALSE(EventFile::Exists(*p.m)) << name.toStdString();
        EXPECT_FALSE(EventFile::Read(*p.m).ok);
        EXPECT_FALSE(EventFile::Write(*p.m).ok);
        EXPECT_FALSE(EventFile::Create(p.m->ProjectFolder, name).ok);
        EXPECT_TRUE(EventFile::Remove(p.m->ProjectFolder, name).ok);
    }
    EXPECT_EQ(Bytes::Read(p.root.filePath("outside.pev")), "keep");
    EXPECT_EQ(QDir(p.root.path()).entryList(QDir::Files).size(), 1);
}

TEST(EventFile, RemoveAndFailedWrites)
{
    Project p;
    ASSERT_TRUE(EventFile::Create(p.m->ProjectFolder, "2.pev").ok);
    EXPECT_TRUE(EventFile::Remove(p.m->ProjectFolder, "2.pev").ok);
    EXPECT_FALSE(QFile::exists(p.Path("2.pev")));
    EXPECT_TRUE(EventFile::Remove(p.m->ProjectFolder, "2.pev").ok);  // already gone

    // A removed folder: creation and writing fail and say which file.
    const QString gone = p.m->ProjectFolder + "/gone";
    const FileResult created = EventFile::Create(gone, "5.pev");
    EXPECT_FALSE(created.ok);
    EXPECT_EQ(created.message, QStringLiteral("「5.pev」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。"));
    p.m->ProjectFolder = gone;
    const FileResult written = EventFile::Write(*p.m);
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.message.startsWith(QStringLiteral("「1.pev」を保存できませんでした。")));
}

}  // namespace
