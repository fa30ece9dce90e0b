#pragma once

#include "foundation/ProgramContext.h"
#include "support/TestServices.h"

#include <QString>

#include <gtest/gtest.h>

// What a test of a program's code stands on: fake services, the context of the layer under
// test (ProgramContext for the countdown, DisplayContext, ViewerContext, SaverContext), and a
// temporary program folder with its work folder "Temp", the context's program folder. The
// context is made after the services and ends before them, so nothing it owns outlives them.
template <class Context = ProgramContext>
class ProgramFolder {
public:
    ProgramFolder()
    {
        context.appPath = folder.internal();
        work = folder.makeFolder(QStringLiteral("Temp"));
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    TestServices services;
    // This test's one context: every layer reads its program folder.
    Context context;
    TempFolder folder;
    // The work folder (internal path).
    QString work;
};

// The same as a GoogleTest fixture, for a test class to derive from.
template <class Context = ProgramContext>
class ProgramFolderTest : public ::testing::Test, protected ProgramFolder<Context> {
protected:
    using ProgramFolder<Context>::services;
    using ProgramFolder<Context>::context;
    using ProgramFolder<Context>::folder;
    using ProgramFolder<Context>::work;
};
