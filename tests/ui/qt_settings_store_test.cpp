// The desktop settings store reports a write it could not keep, so that the recent-file list is
// not lost without a word. Every settings file lies in a temporary folder of the test.

#include "support/qt_application.h"
#include "ui/qt_settings_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace korvel {
namespace {

TEST(QtSettingsStoreWrites, AWriteTheFileCannotKeepIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    QtSettingsStore writable(dir.filePath(QStringLiteral("store.ini")));
    EXPECT_TRUE(writable.setValue("korvp", "Recent Files", "RecentFile1", "/a.korvp"));
    EXPECT_EQ("/a.korvp", writable.value("korvp", "Recent Files", "RecentFile1"));

    // A settings file whose folder is a file: it can never be created, even by the administrator.
    QFile blocker(dir.filePath(QStringLiteral("not a folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtSettingsStore nowhere(dir.filePath(QStringLiteral("not a folder/store.ini")));
    EXPECT_FALSE(nowhere.setValue("korvp", "Recent Files", "RecentFile1", "/a.korvp"));

    // A read-only settings file, which the administrator may still write.
    const QString readOnly = dir.filePath(QStringLiteral("read-only.ini"));
    {
        QtSettingsStore before(readOnly);
        ASSERT_TRUE(before.setValue("korvp", "Recent Files", "RecentFile1", "/old.korvp"));
    }
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QtSettingsStore kept(readOnly);
    EXPECT_EQ(geteuid() == 0, kept.setValue("korvp", "Recent Files", "RecentFile1", "/new.korvp"));
}

} // namespace
} // namespace korvel
