#include "platform/QtSettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <climits>
#include <gtest/gtest.h>
#include <thread>

namespace velarin {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QString path() const { return QtSettingsStore::FilePathInDirectory(dir.path(), "velarin"); }
    void writeFile(const QByteArray& content)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QTemporaryDir dir;
};

TEST_F(QtSettingsStoreTest, FileLocationsAndReadingWritesNothing)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/xdg/config");
    EXPECT_EQ(QtSettingsStore::DefaultFilePath("velarin"), "/xdg/config/Orlo/velarin.ini");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(QtSettingsStore::DefaultFilePath("velarin").endsWith("/.config/Orlo/velarin.ini"));
    if (!saved.isNull())
        qputenv("XDG_CONFIG_HOME", saved);

    QtSettingsStore store(QtSettingsStore::FilePathInDirectory(dir.filePath("not/yet"), "velarin"));
    EXPECT_EQ(store.GetProfileString(keys::kNetwork, keys::kTimeServer, "time.ex"), "time.ex");
    EXPECT_FALSE(QFileInfo::exists(store.FilePath()));
    // The first write creates the folders on the way.
    EXPECT_TRUE(store.WriteProfileInt(keys::kSettings, keys::kFirstTimeConfig, 0));
    EXPECT_TRUE(QFileInfo::exists(store.FilePath()));
}

TEST_F(QtSettingsStoreTest, ValuesRoundTripThroughTheFile)
{
    const std::string awkward[] = { "", "a, b, c", "@Variant(x)", "[Section]", "key=value",
        "semi;colon # hash", "ünïcödé", " leading and trailing ", "back\\slash\"quote" };
    const std::tuple<const char*, const char*, int> numbers[]
        = { { keys::kSettings, keys::kTimeUpdateRate, 70000 }, { keys::kSerial, keys::kPort, 3 },
              { keys::kSettings, "Min", INT_MIN }, { keys::kSettings, "Max", INT_MAX },
              { keys::kSettings, keys::kClockEnableSegColor, 0x00FF00 } };
    {
        QtSettingsStore store(path());
        for (auto [section, key, value] : numbers)
            EXPECT_TRUE(store.WriteProfileInt(section, key, value));
        for (size_t i = 0; i < std::size(awkward); ++i)
            EXPECT_TRUE(store.WriteProfileString("Strings", "S" + std::to_string(i), awkward[i]));
    }
    QtSettingsStore reopened(path());
    for (auto [section, key, value] : numbers)
        EXPECT_EQ(reopened.GetProfileInt(section, key, -7), value) << key;
    for (size_t i = 0; i < std::size(awkward); ++i)
        EXPECT_EQ(
            reopened.GetProfileString("Strings", "S" + std::to_string(i), "default"), awkward[i]);
    // The same key in another section is another value; an integer reads as text.
    EXPECT_EQ(reopened.GetProfileInt(keys::kNetwork, keys::kPort, -5), -5);
    EXPECT_EQ(reopened.GetProfileString(keys::kSerial, keys::kPort, ""), "3");
}

TEST_F(QtSettingsStoreTest, GarbageReadsAsTheDefault)
{
    writeFile("[Settings]\n"
              "TimeUpdateRate=abc\n"
              "TLSats=99999999999\n"
              "UseTimrFrom=1.5\n"
              "UseNetworkTime=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n"
              "Opacit=@Rect(1 2 3 4)\n"
              "FirstTimeConfig=  0  \n"
              "\x01\x02\xff\xfe garbage bytes \x00 in the middle\n");
    QtSettingsStore store(path());
    const std::tuple<const char*, int, int> reads[] = { { keys::kTimeUpdateRate, 60, 60 },
        { keys::kTLSats, 3, 3 }, { keys::kUseTimrFrom, 0, 0 }, { keys::kUseNetworkTime, 0, 0 },
        { keys::kOpacit, 255, 255 }, { keys::kFirstTimeConfig, 1, 0 } };
    for (auto [key, fallback, value] : reads)
        EXPECT_EQ(store.GetProfileInt(keys::kSettings, key, fallback), value) << key;
    EXPECT_EQ(store.GetProfileString(keys::kSettings, keys::kOpacit, "d"), "d");
    store.WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, 1); // over a damaged file
    EXPECT_EQ(store.GetProfileInt(keys::kSettings, keys::kUseNetworkTime, 0), 1);
    // An empty file and endless section openers never crash.
    for (const QByteArray& content : { QByteArray(), QByteArray(100000, '[') }) {
        writeFile(content);
        EXPECT_EQ(
            QtSettingsStore(path()).GetProfileInt(keys::kSettings, keys::kTimeUpdateRate, 60), 60);
    }
}

TEST_F(QtSettingsStoreTest, WorkerReadsWhileTheInterfaceThreadWritesAnotherKey)
{
    QtSettingsStore store(path());
    store.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, 123);
    std::atomic<bool> done { false };
    int wrongReads = 0;
    std::thread worker([&] {
        while (!done)
            wrongReads += store.GetProfileString(keys::kSettings, keys::kGPSTimeDelay, "") != "123";
    });
    for (int i = 0; i < 200; ++i)
        store.WriteProfileString(keys::kNetwork, keys::kTimeServer, "server-" + std::to_string(i));
    done = true;
    worker.join();
    EXPECT_EQ(wrongReads, 0);
}

} // namespace
} // namespace velarin
