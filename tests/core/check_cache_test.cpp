// The check's cache of media facts: kept across runs, trusted only for an
// unchanged file, and harmless when damaged or unwritable.

#include "core/CheckCache.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTemporaryDir>

TEST(CheckCache, KeptAcrossRunsAndTrustedOnlyForTheSameFile)
{
    QTemporaryDir dir;
    const QString cacheFile = dir.filePath("cache/pelumo/check-cache");
    const QString photo = dir.filePath("写真 1.jpg");
    ASSERT_TRUE(Bytes::Write(photo, "first content"));
    CheckCache::Facts facts;
    facts.usable = true;
    facts.headers.format = PictureHeaders::Format::Jpeg;
    facts.headers.orientation = 6;
    {
        CheckCache::Store store(cacheFile);
        store.Put(photo, *CheckCache::StampOf(photo), facts);
        ASSERT_TRUE(store.Save());
    }
    CheckCache::Store again(cacheFile);
    const auto found = again.Find(photo, *CheckCache::StampOf(photo));
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->usable);
    EXPECT_EQ(found->headers.orientation, 6);

    // The same size, a new time: decoded again.
    ASSERT_TRUE(Bytes::Write(photo, "other content"));
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(again.Find(photo, *CheckCache::StampOf(photo)).has_value());
    EXPECT_FALSE(CheckCache::StampOf(dir.filePath("none.jpg")).has_value());

    // A damaged cache reads as empty; one that cannot be written is not saved.
    ASSERT_TRUE(Bytes::Write(cacheFile, QByteArray("PCC1 and then nonsense", 22)));
    CheckCache::Store damaged(cacheFile);
    EXPECT_FALSE(damaged.Find(photo, *CheckCache::StampOf(photo)).has_value());
    ASSERT_TRUE(Bytes::Write(dir.filePath("blocker"), ""));
    CheckCache::Store blocked(dir.filePath("blocker/pelumo/check-cache"));
    blocked.Put(photo, *CheckCache::StampOf(photo), facts);
    EXPECT_FALSE(blocked.Save());
}
