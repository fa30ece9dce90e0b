#include "foundation/ProgramContext.h"

#include "foundation/OleDate.h"
#include "foundation/ScreenMetrics.h"

#include <QtGlobal>

#include <cstdint>

#include <string>
#include <typeinfo>

namespace {

ProgramContext* g_current = nullptr;
// Set when a context was destroyed while a newer one still stood; kept until none stands.
std::string g_orderFault;

} // namespace

struct ProgramContext::OuterValues {
    int16_t twipsPerPixelX = 0;
    int16_t twipsPerPixelY = 0;
    int16_t screenWidthPixels = 0;
    int16_t screenHeightPixels = 0;
    vb::Clock clock;

    static OuterValues taken()
    {
        OuterValues standing{modForm::TwipsPerPixelX, modForm::TwipsPerPixelY, modForm::ScreenWidthPixels,
                             modForm::ScreenHeightPixels, vb::installedClock()};
        OuterValues{}.put();
        return standing;
    }
    void put() const
    {
        modForm::TwipsPerPixelX = twipsPerPixelX;
        modForm::TwipsPerPixelY = twipsPerPixelY;
        modForm::ScreenWidthPixels = screenWidthPixels;
        modForm::ScreenHeightPixels = screenHeightPixels;
        vb::setClock(clock);
    }
};

ProgramContext::ProgramContext()
    : m_replaced(g_current), m_outer(std::make_unique<OuterValues>(OuterValues::taken()))
{
    g_current = this;
}

ProgramContext::~ProgramContext()
{
    if (g_current == this) {
        g_current = m_replaced;
    } else {
        // A newer context still stands on this one: it is unlinked so that nothing reaches a
        // destroyed context, and every later read names the fault instead of going on with a
        // context that no longer holds what its program set.
        for (ProgramContext* newer = g_current; newer; newer = newer->m_replaced) {
            if (newer->m_replaced == this) {
                newer->m_replaced = m_replaced;
                // The newer one gives back, when it ends, what stood before this one.
                newer->m_outer = std::move(m_outer);
                break;
            }
        }
        g_orderFault = std::string("A program context (") + typeid(*this).name()
                       + ") was destroyed while a newer one still stood: contexts end in the reverse "
                         "order of their making.";
        qWarning("%s", g_orderFault.c_str());
    }
    if (!g_current)
        g_orderFault.clear();
    if (m_outer)
        m_outer->put();
}

ProgramContext& ProgramContext::current()
{
    if (!g_orderFault.empty())
        throw Fault(g_orderFault);
    if (!g_current)
        throw Fault("No program context: a program makes its context before any layer reads it.");
    return *g_current;
}

void ProgramContext::failNotOfLayer(const char* wanted)
{
    throw Fault(std::string("The program's context (") + typeid(*g_current).name() + ") is not a " + wanted
                + ": make the context of the program's own layer first.");
}
