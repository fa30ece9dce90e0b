#include "foundation/ProgramContext.h"

#include <QtGlobal>

#include <typeinfo>

namespace {

ProgramContext* g_current = nullptr;

struct DefaultMaker {
    int layer = -1;
    ProgramContext::Maker make = nullptr;
};

DefaultMaker& defaultMaker()
{
    static DefaultMaker maker;
    return maker;
}

[[maybe_unused]] const bool g_offered = ProgramContext::offerDefault(0, ProgramContext::make<ProgramContext>);

} // namespace

ProgramContext::ProgramContext() : m_replaced(g_current)
{
    g_current = this;
}

ProgramContext::~ProgramContext()
{
    g_current = m_replaced;
}

ProgramContext& ProgramContext::current()
{
    if (!g_current)
        defaultMaker().make(); // makes itself current and stays for the run
    return *g_current;
}

bool ProgramContext::offerDefault(int layer, Maker make)
{
    DefaultMaker& maker = defaultMaker();
    if (layer > maker.layer)
        maker = {layer, make};
    return true;
}

void ProgramContext::failNotOfLayer(const char* wanted)
{
    qFatal("The program's context (%s) is not a %s: make the context of the program's own layer first.",
           typeid(*g_current).name(), wanted);
}
