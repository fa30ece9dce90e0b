#include "foundation/clsForm.h"

#include "foundation/ProgramContext.h"
#include "foundation/clsFormDb.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int16_t clampedToInt16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

} // namespace

QString clsForm::applicationFolder()
{
    const QString& programFolder = ProgramContext::current().appPath;
    if (programFolder.isEmpty())
        return platform::fs::toInternal(QCoreApplication::applicationDirPath());
    return programFolder;
}

int32_t clsForm::roundedTwips(double twips)
{
    if (std::isnan(twips))
        throw platform::VbError(platform::vberr::Overflow);
    const double rounded = std::nearbyint(twips);
    return static_cast<int32_t>(std::clamp<double>(rounded, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

QString clsForm::Name() const { return m_name; }

void clsForm::setName(const QString& name)
{
    m_name = name;
    m_formFileName = applicationFolder() + QStringLiteral("\\Temp\\") + name + QStringLiteral(".MVW");
}

int16_t clsForm::Top() const { return m_top; }
void clsForm::setTop(int32_t twips) { m_top = clampedToInt16(twips); }
int16_t clsForm::Height() const { return m_height; }
void clsForm::setHeight(int32_t twips) { m_height = clampedToInt16(twips); }
int16_t clsForm::Left() const { return m_left; }
void clsForm::setLeft(int32_t twips) { m_left = clampedToInt16(twips); }
int16_t clsForm::Width() const { return m_width; }
void clsForm::setWidth(int32_t twips) { m_width = clampedToInt16(twips); }
int16_t clsForm::State() const { return m_state; }
void clsForm::setState(int32_t state) { m_state = clampedToInt16(state); }

int16_t clsForm::FindByName(const QString& name)
{
    setName(name);
    clsFormDb db;
    return db.Find_Form(*this);
}

void clsForm::Update()
{
    clsFormDb db;
    const int32_t written = db.CreateNewForm(*this);
    if (m_id == 0)
        setId(written);
}

int32_t clsForm::Id() const { return m_id; }
void clsForm::setId(int32_t id) { m_id = clampedToInt16(id); }
QString clsForm::FormFileName() const { return m_formFileName; }
void clsForm::setFormFileName(const QString& path) { m_formFileName = path; }
bool clsForm::LeftOpen() const { return m_leftOpen; }
void clsForm::setLeftOpen(bool leftOpen) { m_leftOpen = leftOpen; }
