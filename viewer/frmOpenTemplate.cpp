#include "viewer/frmOpenTemplate.h"

#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "viewer/modVantrelViewer.h"

namespace frmOpenTemplate {

void Form_Load()
{
    platform::Ui& ui = *platform::services().ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    try {
        platform::OpenFileRequest request;
        request.filter = QStringLiteral("Countdown (*.MVL)|*.MVL|All Files (*.*)|*.*|");
        request.title = QStringLiteral("Select a Countdown to Open");
        request.fileName = QStringLiteral("*.MVL");
        request.initialFolder = modVantrelViewer::AppPath() + QStringLiteral("\\Countdowns");
        request.filterIndex = 1;
        // A cancel comes back as no answer: CurrentFile keeps what it had.
        const std::optional<QString> chosen = ui.openFileDialog(request);
        if (chosen && !chosen->isEmpty())
            modVantrelViewer::CurrentFile() = *chosen;
    } catch (const platform::VbError& error) {
        ui.msgBox(QString::number(error.number) + error.description, platform::vbmsg::vbOKOnly);
    }
    ui.setMousePointer(platform::vbcursor::vbDefault);
}

} // namespace frmOpenTemplate
