#include "display/frmLoadingData.h"

#include "display/ElasticPanel.h"
#include "foundation/ProgramTexts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kWidthPixels = 320;
constexpr int kHeightPixels = 64;
// A fill colour the caption stays readable on while the bar is short: VB colour, red low.
constexpr int32_t kProgressColour = 0x00C06000;

} // namespace

frmLoadingData::frmLoadingData(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_progress(new ElasticPanel(QStringLiteral("eo1Progress"), this))
{
    setObjectName(QStringLiteral("frmLoadingData"));
    setWindowTitle(ProgramTexts::kProgramTitle);
    setFixedSize(kWidthPixels, kHeightPixels);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_progress);
    m_progress->setForeColor(kProgressColour);
    m_progress->setBackColor(static_cast<int32_t>(0x80000005u)); // window background
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmLoadingData::showProgress()
{
    setCursor(Qt::WaitCursor);
    show();
    // Saving processes no window messages, so the panel is painted by hand after each change.
    m_progress->repaint();
}

void frmLoadingData::setCaption(const QString& text)
{
    m_progress->setCaption(text);
    m_progress->repaint();
}

void frmLoadingData::setPercent(int percent)
{
    m_progress->setFillPercent(percent);
    m_progress->repaint();
}

void frmLoadingData::closeProgress()
{
    close();
    unsetCursor();
}

void frmLoadingData::installAsPackageProgress()
{
    setPackageProgressFactory([] { return std::make_unique<frmLoadingData>(); });
}
