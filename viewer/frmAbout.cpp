#include "viewer/frmAbout.h"

#include "display/WindowFrame.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "foundation/VbValues.h"
#include "foundation/modForm.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "viewer/ProgramVersion.h"
#include "viewer/WebAddress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <utility>

namespace {

const char* const kIndexProperty = "Index";
const QString kFormName = QStringLiteral("frmAbout");

// A label that reports a click of the left mouse button.
class ClickableLabel : public QLabel {
public:
    ClickableLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), m_onClick(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> m_onClick;
};

// The box's picture: a clock face with its hands at ten to two.
QPixmap clockPicture(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    const double radius = side / 2.0 - 3;
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x6e), 4));
    painter.setBrush(QColor(0xf4, 0xf1, 0xe6));
    painter.drawEllipse(centre, radius, radius);
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * M_PI / 6;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        painter.setPen(QPen(QColor(0x1f, 0x3a, 0x6e), hour % 3 == 0 ? 4 : 2));
        painter.drawLine(centre + direction * radius * 0.78, centre + direction * radius * 0.9);
    }
    auto hand = [&](double angle, double length, double width, const QColor& colour) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, centre + QPointF(std::sin(angle), -std::cos(angle)) * length);
    };
    hand(2 * M_PI * (1 + 50.0 / 60) / 12, radius * 0.5, 5, QColor(0x1f, 0x3a, 0x6e));
    hand(2 * M_PI * 50 / 60, radius * 0.72, 3, QColor(0x1f, 0x3a, 0x6e));
    hand(2 * M_PI / 60 * 30, radius * 0.8, 1.5, QColor(0xc0, 0x30, 0x30));
    painter.setBrush(QColor(0xc0, 0x30, 0x30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 4, 4);
    return picture;
}

QLabel* plainLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Runs one step of the load; an error is reported and the load goes on.
template <class Step> void trapped(Step step)
{
    try {
        step();
    } catch (const platform::VbError& error) {
        platform::services().ui->msgBox(QString::number(error.number) + QStringLiteral("\r\n") + error.description,
                                        platform::vbmsg::vbOKOnly);
    }
}

} // namespace

const QString frmAbout::kSupportAddress = QStringLiteral("support@vantrel-dederuvevur.example");
const QString frmAbout::kTrademark = QStringLiteral(
    "Vantrel Countdown Clock is a trademark of Vantrel Dederuvevur, LLC. All rights reserved.");
const QString frmAbout::kLegalNotice = QStringLiteral(
    "Warning: this computer program is protected by copyright law and international treaties. "
    "Unauthorized reproduction or distribution of this program, or any portion of it, may result "
    "in severe civil and criminal penalties, and will be prosecuted to the maximum extent possible "
    "under the law.");
const QStringList frmAbout::kMailingAddress = {
    ProgramTexts::kMakerName,
    QStringLiteral("1200 Example Avenue, Suite 5"),
    QStringLiteral("Springfield, EX 00000"),
    QStringLiteral("United States"),
};

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("About ") + ProgramTexts::kProgramTitle);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(clockPicture(96));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = plainLabel(QStringLiteral("lblTitle"), ProgramTexts::kProgramTitle, this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_lblSoftwareName = plainLabel(QStringLiteral("lblSoftwareName"), QString(), this);
    m_lblCompileDate = plainLabel(QStringLiteral("lblCompileDate"), QString(), this);

    m_lblTechnicalSupport = new ClickableLabel(this, [this] { lblTechnicalSupport_Click(); });
    m_lblTechnicalSupport->setObjectName(QStringLiteral("lblTechnicalSupport"));
    m_lblTechnicalSupport->setTextFormat(Qt::PlainText);
    QPalette linkPalette = m_lblTechnicalSupport->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    m_lblTechnicalSupport->setPalette(linkPalette);
    QFont linkFont = m_lblTechnicalSupport->font();
    linkFont.setUnderline(true);
    m_lblTechnicalSupport->setFont(linkFont);

    auto* contacts = new QFormLayout;
    contacts->addRow(QStringLiteral("Web site:"),
                     plainLabel(QStringLiteral("lblWebSite"), makerWebSite(), this));
    contacts->addRow(QStringLiteral("E-mail:"),
                     plainLabel(QStringLiteral("lblEmail"), QStringLiteral("info@vantrel-dederuvevur.example"), this));
    contacts->addRow(QStringLiteral("Sales and orders:"),
                     plainLabel(QStringLiteral("lblSales"), QStringLiteral("sales@vantrel-dederuvevur.example"), this));
    contacts->addRow(QStringLiteral("Technical support:"), m_lblTechnicalSupport);
    contacts->addRow(QStringLiteral("Fax number:"),
                     plainLabel(QStringLiteral("lblFax"), QStringLiteral("+1 555 0100 199"), this));

    m_txtMailingAddress = new QPlainTextEdit(this);
    m_txtMailingAddress->setObjectName(QStringLiteral("txtMailingAddress"));
    m_txtMailingAddress->setReadOnly(true);
    m_txtMailingAddress->setFixedHeight(m_txtMailingAddress->fontMetrics().lineSpacing() * 6);

    m_lblTrademark = plainLabel(QStringLiteral("lblTrademark"), QString(), this);
    m_lblTrademark->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setProperty(kIndexProperty, 0);
    ok->setDefault(true);
    auto* ordering = new QPushButton(QStringLiteral("&Ordering Information"), this);
    ordering->setObjectName(QStringLiteral("Command1"));
    ordering->setProperty(kIndexProperty, 1);
    ordering->setAutoDefault(false);
    auto* warning = new QPushButton(QStringLiteral("WARNING."), this);
    warning->setObjectName(QStringLiteral("Command2"));
    warning->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(ordering, &QPushButton::clicked, this, [this] { Command1_Click(1); });
    connect(warning, &QPushButton::clicked, this, [this] { Command2_Click(); });

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(m_lblSoftwareName);
    text->addWidget(m_lblCompileDate);
    text->addSpacing(8);
    text->addLayout(contacts);
    text->addWidget(m_txtMailingAddress);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(warning);
    buttons->addStretch();
    buttons->addWidget(ordering);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_lblTrademark);
    layout->addLayout(buttons);

    Form_Load();
}

QString frmAbout::compileDateLine(double date)
{
    return QStringLiteral("Compiled: ") + vb::format(date, QStringLiteral("dd mmm, yyyy hh:mm:ss am/pm"));
}

void frmAbout::Form_Load()
{
    platform::Ui& ui = *platform::services().ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    trapped([this] {
        m_lblTechnicalSupport->setText(kSupportAddress);
        m_lblTrademark->setText(kTrademark);
        m_txtMailingAddress->setPlainText(QStringLiteral("Mailing address:\n") + kMailingAddress.join(QLatin1Char('\n')));
    });
    trapped([this] {
        const QDateTime built = platform::fs::lastModified(QCoreApplication::applicationFilePath());
        m_lblCompileDate->setText(compileDateLine(vb::toOleDate(built)));
    });
    m_lblSoftwareName->setText(programVersionLine());
    ui.setMousePointer(platform::vbcursor::vbDefault);
}

// The stored size includes the window frame, which a window gets only once it is shown:
// restoring earlier would grow the box by its frame each time it is opened.
void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_restored)
        return;
    m_restored = true;
    platform::Ui& ui = *platform::services().ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    trapped([this] { modForm::RestoreFormPosition(0, this, kFormName); });
    fitInsideTheFrameToCome();
    ui.setMousePointer(platform::vbcursor::vbDefault);
}

// Until a window manager has framed the box, the outer geometry just restored is its inside.
// The frame it will get is the one the window manager gave the window the box opens over: the
// inside is made that much smaller at once. Placing it again once the frame arrives would act on
// the window manager's late replies to the box's earlier sizes and positions, and grow, shrink
// or move the box by a frame at random.
void frmAbout::fitInsideTheFrameToCome()
{
    if (!windowFrame().isNull())
        return;
    const QMargins expected = expectedFrame();
    if (expected.isNull())
        m_placement.remember(frameGeometry());
    else
        setGeometry(frameGeometry().marginsRemoved(expected));
}

QMargins frmAbout::windowFrame() const
{
    return WindowFrame::frameOf(*this);
}

QMargins frmAbout::expectedFrame() const
{
    const QWidget* below = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    return below && below != this && below->isVisible() ? WindowFrame::frameOf(*below) : QMargins();
}

bool frmAbout::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (FramedPlacement::mayBringTheFrame(event->type()))
        m_placement.placeAgainOnceFramed(*this, windowFrame());
    return handled;
}

void frmAbout::Form_Unload()
{
    modForm::SaveFormPosition(this, kFormName);
}

void frmAbout::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        trapped([this] { Form_Unload(); });
    }
    QDialog::done(result);
    // Without a window manager nothing else gives the keys back to the window below.
    if (QWidget* below = parentWidget() ? parentWidget()->window() : nullptr; below && below->isVisible())
        below->activateWindow();
}

QPushButton* frmAbout::button(int index) const
{
    for (QPushButton* element : findChildren<QPushButton*>(QStringLiteral("Command1"))) {
        if (element->property(kIndexProperty).toInt() == index)
            return element;
    }
    return nullptr;
}

void frmAbout::Command1_Click(int index)
{
    if (index == 0)
        accept();
    else if (index == 1)
        openWebAddress(makerWebSite(), this);
}

void frmAbout::Command2_Click()
{
    platform::services().ui->msgBox(kLegalNotice, platform::vbmsg::vbOKOnly | platform::vbmsg::vbInformation);
}

void frmAbout::lblTechnicalSupport_Click()
{
    openWebAddress(QStringLiteral("mailto:") + kSupportAddress, this);
}

void frmAbout::ShowModal(QWidget* parent)
{
    frmAbout about(parent);
    about.exec();
}
