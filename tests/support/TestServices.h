#pragma once

#include "platform/Regional.h"
#include "platform/Services.h"
#include "platform/fake/FakeHelp.h"
#include "platform/fake/FakeMci.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeUi.h"
#include "platform/fake/FakeWindows.h"
#include "platform/fake/MemorySettingsStore.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Installs fresh fakes of every service for the lifetime of the object and puts back what was
// installed before. Regional starts as the United States defaults.
class TestServices {
public:
    TestServices();
    ~TestServices();
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    platform::FakeUi& ui() { return ui_; }
    platform::MemorySettingsStore& settings() { return settings_; }
    platform::FakeScreen& screen() { return screen_; }
    platform::FakeMci& mci() { return mci_; }
    platform::FakeShell& shell() { return shell_; }
    platform::FakeHelp& help() { return help_; }
    platform::FakeWindows& windows() { return windows_; }
    platform::Regional& regional() { return regional_; }

private:
    platform::FakeUi ui_;
    platform::MemorySettingsStore settings_;
    platform::FakeScreen screen_;
    platform::FakeMci mci_;
    platform::FakeShell shell_;
    platform::FakeHelp help_;
    platform::FakeWindows windows_;
    platform::Regional regional_;
    platform::Services previous_;
};

// A temporary folder, seen both as a native and as an internal ("\"-joined) path.
class TempFolder {
public:
    TempFolder();
    bool isValid() const { return dir_.isValid(); }
    QString native() const { return dir_.path(); }
    QString internal() const;
    // name may hold "\" or "/" separators.
    QString nativePath(const QString& name) const;
    QString internalPath(const QString& name) const;
    // Writes a file (folders created as needed) and returns its internal path.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // Creates a folder (and its parents) and returns its internal path.
    QString makeFolder(const QString& name) const;

private:
    QTemporaryDir dir_;
};
