#pragma once

#include "foundation/clsForm.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>
#include <typeinfo>

// What one running program shares across its layers, held in one object per program. Each
// layer above adds its share by deriving from the one below (DisplayContext, then the viewer's
// and the screen saver's own contexts), so a value such as the program folder is set once, in
// that one object, and every layer reads that same value.
//
// Making a context makes it the program's current one; destroying it brings back the one it
// replaced, so contexts are destroyed in the reverse order of their making. A program (or a
// test) makes its context first and keeps it while it runs: there is no context of its own
// making to fall back on, so a read before that is a fault of the program and raises
// ProgramContext::Fault, as does any read after a context was destroyed out of order.
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

    // A fault in the making or unmaking of contexts: no context made yet, one of a lower layer
    // than its reader, or one destroyed while a newer one still stood. It names what went wrong;
    // a program reports it as it reports any escaped error.
    class Fault : public std::logic_error {
    public:
        using std::logic_error::logic_error;
    };

    // The current context. Raises Fault when no program made one, and from the destruction of
    // a context out of order until no context stands any more.
    static ProgramContext& current();
    // The current context as a layer's own type; Fault also when it is of a lower layer.
    template <class Context>
    static Context& currentAs();

private:
    [[noreturn]] static void failNotOfLayer(const char* wanted);

    ProgramContext* m_replaced;
    // The values that modules of this layer keep outside this object (the screen metrics, the
    // clock), as they stood before this context: it starts them afresh and gives them back
    // when it ends, so one program's (or test's) values never reach the next.
    struct OuterValues;
    std::unique_ptr<OuterValues> m_outer;
};

template <class Context>
Context& ProgramContext::currentAs()
{
    if (auto* context = dynamic_cast<Context*>(&current()))
        return *context;
    failNotOfLayer(typeid(Context).name());
}
