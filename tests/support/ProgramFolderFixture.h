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
class TestProgram {
public:
    TestProgram()
    {
        context.appPath = folder.internal();
        work = folder.makeFolder(QStringLiteral("Temp"));
    }
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    TestServices services;
    // This test's one context: every layer reads its program folder.
    Context context;
    TempFolder folder;
    // The work folder (internal path).
    QString work;
};

// The same as a GoogleTest fixture, for a test class to derive from.
template <class Context = ProgramContext>
class ProgramFolderTest : public ::testing::Test, protected TestProgram<Context> {
protected:
    using TestProgram<Context>::services;
    using TestProgram<Context>::context;
    using TestProgram<Context>::folder;
    using TestProgram<Context>::work;
};
