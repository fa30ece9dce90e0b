#include "foundation/clsPSFormUtilities.h"

#include "platform/Services.h"
#include "platform/Windows.h"

void clsPSFormUtilities::SetTopMost(QWidget* form)
{
    platform::services().windows->setTopMost(form, true);
}

void clsPSFormUtilities::UnSetTopMost(QWidget* form)
{
    platform::services().windows->setTopMost(form, false);
}
