#include "platform/IniSettingsStore.h"
#include "platform/fake/MemorySettingsStore.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(Backends, SettingsStores, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Ini" : "Memory"; });

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

} // namespace
