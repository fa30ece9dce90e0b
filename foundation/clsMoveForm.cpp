#include "foundation/clsMoveForm.h"

#include "foundation/modForm.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QRect>

void clsMoveForm::Refresh(QWidget* /*form*/)
{
    const platform::Screen& screen = *platform::services().screen;
    const QRect workArea = screen.workAreaPixels();
    if (workArea.isEmpty()) {
        m_width = static_cast<float>(screen.widthTwips());
        m_height = static_cast<float>(screen.heightTwips());
        return;
    }
    // Right and bottom are the edges just outside the area, as a desktop rectangle holds them.
    const double twipsX = screen.twipsPerPixelX();
    const double twipsY = screen.twipsPerPixelY();
    m_width = static_cast<float>((workArea.x() + workArea.width()) * twipsX);
    m_height = static_cast<float>((workArea.y() + workArea.height()) * twipsY);
    m_left = static_cast<float>(workArea.x() * twipsX);
    m_top = static_cast<float>(workArea.y() * twipsY);
}

float clsMoveForm::centredLeft(const QWidget* form) const
{
    return (m_width - static_cast<float>(modForm::FormWidth(form)) + m_left) / 2;
}

float clsMoveForm::bottomTop(const QWidget* form) const
{
    return m_height - static_cast<float>(modForm::FormHeight(form)) + m_top;
}

void clsMoveForm::CenterForm(QWidget* form)
{
    const float top = (m_height - static_cast<float>(modForm::FormHeight(form)) + m_top) / 2;
    modForm::setFormLeft(form, centredLeft(form));
    modForm::setFormTop(form, top);
}

void clsMoveForm::TopForm(QWidget* form)
{
    modForm::setFormLeft(form, centredLeft(form));
    modForm::setFormTop(form, m_top);
}

void clsMoveForm::BottomForm(QWidget* form)
{
    m_lastMove = QStringLiteral("bottom");
    const float top = bottomTop(form);
    modForm::setFormLeft(form, centredLeft(form));
    modForm::setFormTop(form, top);
}

void clsMoveForm::LeftForm(QWidget* form)
{
    const float top = bottomTop(form);
    modForm::setFormLeft(form, m_left);
    modForm::setFormTop(form, top);
}

void clsMoveForm::RightForm(QWidget* form)
{
    const float top = bottomTop(form);
    modForm::setFormLeft(form, m_width - static_cast<float>(modForm::FormWidth(form)) + m_left);
    modForm::setFormTop(form, top);
}

void clsMoveForm::MoveLast(QWidget* form)
{
    if (m_lastMove == QLatin1String("top"))
        TopForm(form);
    else if (m_lastMove == QLatin1String("bottom"))
        BottomForm(form);
    else if (m_lastMove == QLatin1String("left"))
        LeftForm(form);
    else if (m_lastMove == QLatin1String("right"))
        RightForm(form);
    else if (m_lastMove == QLatin1String("center"))
        CenterForm(form);
}
