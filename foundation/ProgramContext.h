#pragma once

#include "foundation/clsForm.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <typeinfo>

// What one running program shares across its layers, held in one object per program. Each
// layer above adds its share by deriving from the one below (DisplayContext, then the viewer's
// and the screen saver's own contexts), so a value such as the program folder is set once, in
// that one object, and every layer reads that same value.
//
// Making a context makes it the program's current one; destroying it brings back the one it
// replaced, so contexts are destroyed in the reverse order of their making. A program (or a
// test) makes its context first and keeps it while it runs.
class ProgramContext {
public:
    ProgramContext();
    virtual ~ProgramContext();
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    // The program folder (AppPath): internal path without a trailing separator; empty until
    // the program has settled it.
    QString appPath;
    // modForm's record; it exists only during one SaveFormPosition or RestoreFormPosition.
    std::unique_ptr<clsForm> formRecord;

    // The countdown package this program opened, or saved last, and the digest of the bytes it
    // held then. Nothing while no package has opened, and after an open or a load that failed.
    struct OpenedPackage {
        QString path;
        QByteArray digest;
    };
    std::optional<OpenedPackage> openedPackage;

    // The current context. When no program has made one, the first call makes a context of
    // the highest layer that offered one (see offerDefault), which stays for the run.
    static ProgramContext& current();
    // The current context as a layer's own type. A context of a lower layer than the reader's
    // is a fault of the program that made it, and ends the program with a message naming it.
    template <class Context>
    static Context& currentAs();

    // How a layer's context is made when a program made none; layer is 0 for this one, 2 for
    // the display's, 3 for a program's. The offer of the highest layer is taken. Layers offer from a static initializer in
    // the file that defines their context's current(), so a program that reads a layer's share
    // has made that offer before its first line runs. Returns true.
    using Maker = ProgramContext* (*)();
    static bool offerDefault(int layer, Maker make);
    template <class Context>
    static ProgramContext* make()
    {
        return new Context;
    }

private:
    [[noreturn]] static void failNotOfLayer(const char* wanted);

    ProgramContext* m_replaced;
};

template <class Context>
Context& ProgramContext::currentAs()
{
    if (auto* context = dynamic_cast<Context*>(&current()))
        return *context;
    failNotOfLayer(typeid(Context).name());
}
