#include "saver/SaverContext.h"

#include "saver/frmCountdownScreenSaver.h"
#include "saver/frmPreview.h"

// The windows go first, while the rest of the context they may read still stands.
SaverContext::~SaverContext()
{
    delete screenSaverWindow.data();
    delete previewWindow.data();
}

SaverContext& SaverContext::current()
{
    return currentAs<SaverContext>();
}
