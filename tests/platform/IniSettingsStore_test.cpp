#include "platform/IniSettingsStore.h"
#include "platform/VbError.h"
#include "platform/fake/MemorySettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString app = QStringLiteral("Vantrel Test App");

QString iniText(const platform::IniSettingsStore& store)
{
    QFile file(store.filePath(app));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Both backends must behave the same.
class SettingsStores : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            auto ini = std::make_unique<platform::IniSettingsStore>();
            QFile::remove(ini->filePath(app));
            store = std::move(ini);
        } else {
            store = std::make_unique<platform::MemorySettingsStore>();
        }
    }
    std::unique_ptr<platform::SettingsStore> store;
};

TEST_P(SettingsStores, NamesIgnoreCaseAndValuesStayText)
{
    EXPECT_EQ(store->get(app, "Settings", "Missing", "fallback"), "fallback");
    const QString values[] = {"10 Dec, 2026 03:04:05 PM", "C:\\Program Files\\x.MVL", "@Variant(x)", "a;b=c",
                              "", " padded ", "True", "\u00e9t\u00e9", "line1\r\nline2", "#hash"};
    int n = 0;
    for (const QString& value : values) {
        const QString key = QStringLiteral("Key%1").arg(n++);
        store->put(app, "Settings", key, value);
        EXPECT_EQ(store->get(app, "SETTINGS", key.toLower(), "x"), value) << qPrintable(value);
    }
    store->put(app, "settings", "KEY0", "changed");
    EXPECT_EQ(store->get(app, "Settings", "Key0"), "changed");
    EXPECT_EQ(store->get("Other App", "Settings", "Key0", "none"), "none");
}

TEST_P(SettingsStores, RemovesAKeyOrAWholeSection)
{
    store->put(app, "One", "A", "1");
    store->put(app, "One", "B", "2");
    store->put(app, "Two", "A", "3");
    store->remove(app, "one", "a");
    EXPECT_EQ(store->get(app, "One", "A", "gone"), "gone");
    EXPECT_EQ(store->get(app, "One", "B"), "2");
    store->remove(app, "ONE");
    EXPECT_EQ(store->get(app, "One", "B", "gone"), "gone");
    EXPECT_EQ(store->get(app, "Two", "A"), "3");
    store->remove(app, "Nothing", "Here"); // removing what is not there does nothing
    store->remove("Never Written", "X");
}

// "/" and "\" are ordinary characters of a section or key name: each name finds its own value,
// and names that only split differently at a separator stay apart.
TEST_P(SettingsStores, NamesWithSeparatorsAreFoundAgain)
{
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"a/b", "k", "1"},  {"a\\b", "k", "2"}, {"a", "b/k", "3"},  {"a", "b\\k", "4"},
        {"a", "k", "5"},    {"/lead", "k", "6"}, {"S", "x//y/", "7"}, {"S", "x%2Fy", "8"},
    };
    for (const Case& c : cases)
        store->put(app, c.section, c.key, c.value);
    for (const Case& c : cases) {
        const QString section = QString::fromLatin1(c.section).toUpper();
        EXPECT_EQ(store->get(app, section, QString::fromLatin1(c.key).toUpper(), "missing"), c.value)
            << c.section << " | " << c.key;
    }
    store->remove(app, "A/B");
    store->remove(app, "a", "B\\K");
    EXPECT_EQ(store->get(app, "a/b", "k", "gone"), "gone");
    EXPECT_EQ(store->get(app, "a", "b\\k", "gone"), "gone");
    EXPECT_EQ(store->get(app, "a\\b", "k"), "2");
    EXPECT_EQ(store->get(app, "a", "b/k"), "3");
    EXPECT_EQ(store->get(app, "a", "k"), "5");
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsStores, ::testing::Values(true, false),
                         [](const auto& testInfo) { return testInfo.param ? "Ini" : "Memory"; });

TEST(IniSettingsStore, OneFilePerApplicationUnderTheConfigFolder)
{
    platform::IniSettingsStore store;
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    ASSERT_FALSE(config.isEmpty());
    EXPECT_EQ(store.filePath(app), config + "/" + app + ".ini");
    store.put(app, "Window", "LastOpenTemplate", "Demo.MVL");
    const QString text = iniText(store);
    EXPECT_TRUE(text.contains("[Window]")) << qPrintable(text);
    EXPECT_TRUE(text.contains("LastOpenTemplate=Demo.MVL")) << qPrintable(text);
    // Another store object (another program) reads what this one wrote.
    EXPECT_EQ(platform::IniSettingsStore().get(app, "window", "lastopentemplate"), "Demo.MVL");
}

// A store whose folder cannot be made (it would lie under a regular file) keeps nothing: the
// write says so, naming the settings file, instead of losing the value silently.
TEST(IniSettingsStore, AWriteThatCannotReachTheDiskIsAnError)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QFile blocker(temp.filePath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::IniSettingsStore store(temp.filePath("plain-file/config"));
    try {
        store.put(app, "Window", "AppPath", "C:\\Vantrel");
        ADD_FAILURE() << "no error";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 75);
        EXPECT_TRUE(error.description.startsWith(platform::vbErrorDescription(75) + ": " + temp.filePath("plain-file/config/")))
            << error.description.toStdString();
        EXPECT_TRUE(error.description.endsWith(".ini")) << error.description.toStdString();
    }
    EXPECT_EQ(store.get(app, "Window", "AppPath", "none"), "none");
}

// A hand-edited file with a line that is no setting still takes writes and keeps its settings.
TEST(IniSettingsStore, AStrayLineDoesNotBlockWrites)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    platform::IniSettingsStore store(temp.path());
    QFile file(store.filePath(app));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("stray line\n[Window]\nAppPath=C:\\\\Vantrel\n");
    file.close();
    store.put(app, "Window", "LastOpenTemplate", "x.MVL");
    EXPECT_EQ(store.get(app, "Window", "AppPath"), "C:\\Vantrel");
    EXPECT_EQ(store.get(app, "Window", "LastOpenTemplate"), "x.MVL");
}

// A store file that exists but cannot be read takes no change either: the write says so, and
// what the file held stays.
TEST(IniSettingsStore, AWriteToAStoreThatCannotBeReadIsAnError)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    platform::IniSettingsStore store(temp.path());
    store.put(app, "Window", "AppPath", "C:\\Vantrel");
    QFile::setPermissions(store.filePath(app), QFileDevice::WriteOwner);
    if (QFileInfo(store.filePath(app)).isReadable())
        GTEST_SKIP() << "permissions do not hold here";
    for (const auto& write : std::initializer_list<std::function<void()>>{
             [&] { store.put(app, "Window", "LastOpenTemplate", "x.MVL"); },
             [&] { store.remove(app, "Window", "AppPath"); }}) {
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const platform::VbError& error) {
            EXPECT_EQ(error.number, 75);
        }
    }
    QFile::setPermissions(store.filePath(app), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(store.get(app, "Window", "AppPath"), "C:\\Vantrel");
}

} // namespace
