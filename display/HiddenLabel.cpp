#include "display/HiddenLabel.h"

HiddenLabel::HiddenLabel(const QString& name, QWidget* parent, const QString& designCaption)
    : QLabel(parent), m_designCaption(designCaption.isNull() ? name : designCaption)
{
    setObjectName(name);
    m_caption = m_designCaption;
    setText(m_caption);
    hide();
}

void HiddenLabel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    setText(caption);
    emit Change();
}
