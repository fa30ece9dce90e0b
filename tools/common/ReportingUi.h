#pragma once

#include "platform/Ui.h"

#include <QString>

#include <cstdio>

// The user interface of a tool that runs unattended: every message the project's code shows is
// written to standard error as one line, prefixed with the tool's name, and counts as a
// failure; no question is ever asked.
class ReportingUi : public platform::Ui {
public:
    explicit ReportingUi(const char* toolName) : m_toolName(toolName) {}
    int msgBox(const QString& prompt, int, const QString&) override
    {
        std::fprintf(stderr, "%s: %s\n", m_toolName,
                     qPrintable(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String(" | "))));
        failed = true;
        return platform::vbmsg::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileDialog(const platform::OpenFileRequest&) override { return std::nullopt; }
    void setMousePointer(int pointer) override { m_pointer = pointer; }
    int mousePointer() const override { return m_pointer; }

    bool failed = false;

private:
    const char* m_toolName;
    int m_pointer = platform::vbcursor::vbDefault;
};
