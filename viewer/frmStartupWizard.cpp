#include "viewer/frmStartupWizard.h"

#include "display/ProgramEnd.h"
#include "foundation/VbValues.h"
#include "foundation/clsHelp.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/modShellLink.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/VbError.h"
#include "viewer/ProgramVersion.h"
#include "viewer/frmAbout.h"
#include "viewer/modVantrelViewer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace modVantrelViewer;

namespace {

const char* const kIndexProperty = "Index";

// The package path as one argument of a launcher's command: in native form and quoted, so a
// title with blanks or shell characters ("Party Night") reaches the viewer whole.
QString launcherArgument(const QString& package)
{
    QString quoted;
    for (QChar c : platform::fs::toNative(package)) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The launchers' icon: the one shipped beside the viewer's executable, else the program
// folder's copy; empty (no icon named) when neither is there. A desktop cannot show an
// executable as an icon.
QString launcherIcon(const QString& viewer)
{
    const QString name = QStringLiteral("vantrel-viewer.png");
    const QString candidates[] = {viewer.left(viewer.lastIndexOf(QLatin1Char('\\')) + 1) + name,
                                  AppPath() + QLatin1Char('\\') + name};
    for (const QString& icon : candidates) {
        if (platform::fs::isFile(icon))
            return icon;
    }
    return QString();
}

} // namespace

frmStartupWizard::frmStartupWizard(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStartupWizard"));
    setWindowTitle(QStringLiteral("Startup Wizard"));

    auto* label1 = new QLabel(QStringLiteral("The Countdown is:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_lblCountdownName = new QLabel(this);
    m_lblCountdownName->setObjectName(QStringLiteral("lblCountdownName"));
    QFont nameFont = m_lblCountdownName->font();
    nameFont.setBold(true);
    m_lblCountdownName->setFont(nameFont);
    m_lblCountdownName->setTextFormat(Qt::PlainText);
    m_lblSoftwareName = new QLabel(this);
    m_lblSoftwareName->setObjectName(QStringLiteral("lblSoftwareName"));
    m_chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Don't show this form at startup"), this);
    m_chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));

    auto* actions = new QGridLayout;
    actions->addWidget(addButton(QStringLiteral("Command2"), 0, QStringLiteral("&Send Shortcut to Desktop"),
                                 QStringLiteral("Send Icon to Desktop")), 0, 0);
    actions->addWidget(addButton(QStringLiteral("Command2"), 1, QStringLiteral("&Launch at Startup"),
                                 QStringLiteral("Start Countdown when Windows Starts Up")), 0, 1);
    actions->addWidget(addButton(QStringLiteral("Command2"), 2, QStringLiteral("&About Form"),
                                 QStringLiteral("Show the About form")), 1, 0);
    actions->addWidget(addButton(QStringLiteral("Command2"), 3, QStringLiteral("&Vantrel Help"),
                                 QStringLiteral("Open Vantrel Help System")), 1, 1);

    auto* closing = new QHBoxLayout;
    closing->addWidget(m_chkLoadTipsAtStartup);
    closing->addStretch();
    closing->addWidget(addButton(QStringLiteral("Command1"), 0, QStringLiteral("&Close"),
                                 QStringLiteral("Close this form")));
    closing->addWidget(addButton(QStringLiteral("Command1"), 1, QStringLiteral("&Shutdown"),
                                 QStringLiteral("Shutdown this program")));

    auto* name = new QHBoxLayout;
    name->addWidget(label1);
    name->addWidget(m_lblCountdownName, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addWidget(m_lblSoftwareName);
    layout->addSpacing(8);
    layout->addLayout(actions);
    layout->addSpacing(8);
    layout->addLayout(closing);

    for (QPushButton* element : findChildren<QPushButton*>()) {
        element->setAutoDefault(false);
        const QString arrayName = element->objectName();
        const int index = element->property(kIndexProperty).toInt();
        connect(element, &QPushButton::clicked, this, [this, arrayName, index] {
            if (arrayName == QLatin1String("Command1"))
                Command1_Click(index);
            else
                Command2_Click(index);
        });
    }
    // The box's click runs on every change of its value, the load's included, as a check box
    // whose value is set does.
    connect(m_chkLoadTipsAtStartup, &QCheckBox::toggled, this, [this] { chkLoadTipsAtStartup_Click(); });

    Form_Load();
}

QPushButton* frmStartupWizard::addButton(const QString& name, int index, const QString& caption,
                                         const QString& toolTip)
{
    auto* element = new QPushButton(caption, this);
    element->setObjectName(name);
    element->setProperty(kIndexProperty, index);
    element->setToolTip(toolTip);
    return element;
}

QPushButton* frmStartupWizard::button(const QString& name, int index) const
{
    for (QPushButton* element : findChildren<QPushButton*>(name)) {
        if (element->property(kIndexProperty).toInt() == index)
            return element;
    }
    return nullptr;
}

void frmStartupWizard::Form_Load()
{
    m_lblSoftwareName->setText(programVersionLine());
    clsPSFileUtilities files;
    files.setPellowFileName(CurrentFile());
    m_chkLoadTipsAtStartup->setChecked(ShowStartupWizardSetting() != 0);
    m_lblCountdownName->setText(files.FileTitle());
}

void frmStartupWizard::chkLoadTipsAtStartup_Click()
{
    platform::services().settings->put(kViewerApplication, kOptionsSection, kShowStartupWizardKey,
                                       m_chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1")
                                                                           : QStringLiteral("0"));
}

void frmStartupWizard::Command1_Click(int index)
{
    if (index == 0) {
        close();
    } else if (index == 1) {
        ProgramEnd::End();
        // End stops the event loops; closing as well lets a caller waiting on this modal
        // dialog return at once.
        done(QDialog::Rejected);
    }
}

void frmStartupWizard::Command2_Click(int index)
{
    switch (index) {
    case 0:
        createShortcut(0);
        break;
    case 1:
        createShortcut(7);
        break;
    case 2:
        frmAbout::ShowModal(this);
        break;
    case 3:
        clsHelp().Contents(AppPath() + QStringLiteral("/MVL.chm"), static_cast<quintptr>(effectiveWinId()));
        break;
    default:
        break;
    }
}

void frmStartupWizard::createShortcut(int folderCode)
{
    QString folder;
    if (!modShellLink::GetSpecialFolderPath(static_cast<quintptr>(effectiveWinId()), folderCode, folder))
        return;
    if (!folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('\\');
    // The launcher starts the running viewer, which lies outside the program folder when that
    // is the per-user copy of a read-only installation.
    const QString viewer = ViewerProgram().isEmpty() ? AppPath() + QStringLiteral("\\vantrel-viewer") : ViewerProgram();
    modShellLink::CreateShellLink(folder + m_lblCountdownName->text() + QStringLiteral(".lnk"), viewer,
                                  AppPath() + QStringLiteral("\\"), launcherArgument(CurrentFile()), launcherIcon(viewer),
                                  0, 5);
}

void frmStartupWizard::ShowModal(QWidget* parent)
{
    frmStartupWizard wizard(parent);
    wizard.exec();
}
