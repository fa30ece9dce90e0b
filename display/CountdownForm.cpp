#include "display/CountdownForm.h"

#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/ProgramEnd.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "display/WindowFrame.h"
#include "foundation/ProgramTexts.h"
#include "platform/VbError.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <utility>

const QString CountdownForm::kCaption = ProgramTexts::kProgramTitle;
const QString CountdownForm::kMakerWebSite = QStringLiteral("www.vantrel-dederuvevur.example");

namespace {

// Whole pixels, within what a widget's geometry can hold.
int pixels(double twips, double twipsPerPixel)
{
    const double rounded = std::nearbyint(twips / twipsPerPixel);
    if (std::isnan(rounded))
        return 0;
    return static_cast<int>(std::clamp(rounded, -double(QWIDGETSIZE_MAX), double(QWIDGETSIZE_MAX)));
}

ElasticPanel* makePanel(const QString& name, QWidget* parent, const QString& font, int index = -1)
{
    auto* panel = new ElasticPanel(name, parent, index);
    panel->setFontName(font);
    return panel;
}

// A picture `side` pixels square, drawn by `draw` on a 16 by 16 grid.
template <class Draw> QPixmap panelPicture(int side, Draw draw)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    draw(painter);
    return picture;
}

// A loudspeaker sending out two sound waves.
QPixmap speakerPicture(int side)
{
    return panelPicture(side, [](QPainter& painter) {
        const QColor ink(0x30, 0x30, 0x38);
        painter.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(0x5a, 0x6e, 0x8c));
        const QPolygonF body{QPointF(1.5, 6), QPointF(4.5, 6), QPointF(8.5, 2.5), QPointF(8.5, 13.5),
                             QPointF(4.5, 10), QPointF(1.5, 10)};
        painter.drawPolygon(body);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(7, 5, 5, 6), -50 * 16, 100 * 16);
        painter.drawArc(QRectF(6, 2.5, 9, 11), -55 * 16, 110 * 16);
    });
}

// A pencil lying from the lower left to the upper right, its point at the lower left.
QPixmap pencilPicture(int side)
{
    return panelPicture(side, [](QPainter& painter) {
        const QColor ink(0x30, 0x30, 0x38);
        painter.translate(8, 8);
        painter.rotate(-45);
        painter.setPen(QPen(ink, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(0xf2, 0xb6, 0x32)); // body
        painter.drawRect(QRectF(-4, -2, 9, 4));
        painter.setBrush(QColor(0xe0, 0x8a, 0x9a)); // eraser
        painter.drawRect(QRectF(5, -2, 2.5, 4));
        painter.setBrush(QColor(0xf1, 0xd9, 0xb0)); // sharpened wood
        painter.drawPolygon(QPolygonF{QPointF(-4, -2), QPointF(-8, 0), QPointF(-4, 2)});
        painter.setBrush(ink); // lead
        painter.drawPolygon(QPolygonF{QPointF(-6.5, -0.75), QPointF(-8, 0), QPointF(-6.5, 0.75)});
    });
}

} // namespace

CountdownForm::CountdownForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CountdownForm"));
    setWindowTitle(kCaption);
    setFont(QFont(QStringLiteral("Tahoma")));
    setFocusPolicy(Qt::StrongFocus);
    buildPanels();
    buildStatusBar();
    buildHiddenLabels();
    buildMenu();
    m_timer1 = new VbTimer(QStringLiteral("Timer1"), this);
    connect(m_timer1, &VbTimer::Timer, this, [this] { Timer1_Timer(); });
    resize(640, 480);
}

CountdownForm::~CountdownForm() = default;

void CountdownForm::buildPanels()
{
    const QString sansSerif = QStringLiteral("MS Sans Serif");
    const QString arial = QStringLiteral("Arial");
    m_c1eImage = makePanel(QStringLiteral("c1eImage"), this, sansSerif);
    m_c1eCaptions = makePanel(QStringLiteral("c1eCaptions"), this, sansSerif);
    m_c1eTop = makePanel(QStringLiteral("c1eTop"), m_c1eCaptions, sansSerif);
    m_c1eEventCaption = makePanel(QStringLiteral("c1eEventCaption"), m_c1eTop, arial);
    m_c1eEventDate = makePanel(QStringLiteral("c1eEventDate"), m_c1eTop, arial);
    const QString boxes = QStringLiteral("c1eIntervalsLeft");
    m_c1eIntervalsLeft[0] = makePanel(boxes, m_c1eCaptions, sansSerif, 0);
    for (int i = 1; i <= 6; ++i)
        m_c1eIntervalsLeft[static_cast<size_t>(i)] = makePanel(boxes, m_c1eIntervalsLeft[0], arial, i);
    m_c1eAdvertiserLogo = makePanel(QStringLiteral("c1eAdvertiserLogo"), m_c1eCaptions, sansSerif);

    connect(m_c1eImage, &ElasticPanel::MouseDown, this,
            [this](int button, int shift, float x, float y) { c1eImage_MouseDown(button, shift, x, y); });
}

void CountdownForm::buildStatusBar()
{
    m_statusBar1 = new StatusBar(QStringLiteral("StatusBar1"), this);
    struct PanelDesign { const char* text; const char* key; const char* tip; };
    const PanelDesign design[StatusBar::PanelCount] = {
        {"", "PlaySound", "Play Sound"},
        {"Edit", "Start Countdown", "Edit Countdown"},
        {"Current Time:", "", ""},
        {"", "", ""},
        {"", "", ""},
        {"Your Url", "StatusbarURL", "Browse this URL"},
        {"", "", ""},
    };
    for (int i = 1; i <= StatusBar::PanelCount; ++i) {
        StatusBarPanel& panel = m_statusBar1->Panel(i);
        panel.Text = QString::fromLatin1(design[i - 1].text);
        panel.Key = QString::fromLatin1(design[i - 1].key);
        panel.ToolTipText = QString::fromLatin1(design[i - 1].tip);
    }
    m_statusBar1->Panel(1).Picture = speakerPicture(m_statusBar1->pictureSide());
    m_statusBar1->Panel(2).Picture = pencilPicture(m_statusBar1->pictureSide());
    StatusBarPanel& maker = m_statusBar1->Panel(7);
    maker.Text = kMakerWebSite;
    maker.Key = kMakerWebSite;
    maker.ToolTipText = QStringLiteral("Browse ") + kMakerWebSite;
    m_statusBar1->panelChanged();
    connect(m_statusBar1, &StatusBar::PanelClick, this,
            [this](int index, const QString& key) { StatusBar1_PanelClick(index, key); });
}

void CountdownForm::buildHiddenLabels()
{
    // The frame holding the labels is never shown; the labels are reached by name.
    m_labelFrame = new QWidget(this);
    m_labelFrame->setObjectName(QStringLiteral("Frame1"));
    m_labelFrame->hide();
    auto make = [this](const char* name, const QString& design = QString()) {
        return new HiddenLabel(QString::fromLatin1(name), m_labelFrame, design);
    };
    m_lblCountdownFileName = make("lblCountdownFileName");
    m_lblTemplateFileName = make("lblTemplateFileName");
    m_lblLoadme = make("lblLoadme");
    m_lblSaveme = make("lblSaveme");
    m_lblLayout = make("lblLayout");
    m_lblPlaysound = make("lblPlaysound");
    m_lblPlaysoundToggle = make("lblPlaysoundToggle");
    m_lblSoundFile = make("lblSoundFile");
    m_lblEventDate = make("lblEventDate", QStringLiteral("apr 15, 2004"));
    m_lblEventDateFormat = make("lblEventDateFormat", QStringLiteral("dd mmm, yyyy"));
    m_lblImageFileName = make("lblImageFileName");
    m_lblLogoImage = make("lblLogoImage");
    m_lblCountDirection = make("lblCountDirection");
    m_lblSaveToFile = make("lblSaveToFile");
    m_lblSaveToFileFormat = make("lblSaveToFileFormat");
    m_lblSaveToFileLocation = make("lblSaveToFileLocation");
    m_lblStatusbarURL = make("lblStatusbarURL");
    m_lblChangesMade = make("lblChangesMade");

    const std::pair<HiddenLabel*, void (CountdownForm::*)()> handlers[] = {
        {m_lblCountdownFileName, &CountdownForm::lblCountdownFileName_Change},
        {m_lblTemplateFileName, &CountdownForm::lblTemplateFileName_Change},
        {m_lblLoadme, &CountdownForm::lblLoadme_Change},
        {m_lblSaveme, &CountdownForm::lblSaveme_Change},
        {m_lblLayout, &CountdownForm::lblLayout_Change},
        {m_lblPlaysound, &CountdownForm::lblPlaysound_Change},
        {m_lblEventDate, &CountdownForm::lblEventDate_Change},
        {m_lblEventDateFormat, &CountdownForm::lblEventDateFormat_Change},
        {m_lblImageFileName, &CountdownForm::lblImageFileName_Change},
        {m_lblLogoImage, &CountdownForm::lblLogoImage_Change},
    };
    for (const auto& [label, handler] : handlers)
        connect(label, &HiddenLabel::Change, this, [this, h = handler] { (this->*h)(); }, Qt::DirectConnection);
}

void CountdownForm::buildMenu()
{
    m_popMenuStartup = new QMenu(this);
    m_popMenuStartup->setObjectName(QStringLiteral("popMenuStartup"));
    auto add = [this](const char* name, const QString& text, void (CountdownForm::*handler)()) {
        QAction* action = m_popMenuStartup->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    m_popRunMenuStartup = add("popRunMenuStartup", QStringLiteral("&Run Startup Wizard"),
                              &CountdownForm::popRunMenuStartup_Click);
    m_popMenuPlayAlarm = add("popMenuPlayAlarm", QStringLiteral("&Play Alarm Sound"),
                             &CountdownForm::popMenuPlayAlarm_Click);
    m_popRunMenuClsoe = add("popRunMenuClsoe", QStringLiteral("&Close"), &CountdownForm::popRunMenuClsoe_Click);
}

ElasticPanel* CountdownForm::c1eIntervalsLeft(int index) const
{
    if (index < 0 || index > 6)
        throw platform::VbError(platform::vberr::ControlArrayElementMissing, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    return m_c1eIntervalsLeft[static_cast<size_t>(index)];
}

QMargins CountdownForm::windowFrame() const
{
    return WindowFrame::frameOf(*this);
}

QRect CountdownForm::outerPixels() const { return geometry().marginsAdded(windowFrame()); }

void CountdownForm::moveOuterTo(const QPoint& outer)
{
    WindowFrame::moveOuter(*this, outer, windowFrame());
}

void CountdownForm::rememberGivenOuter() { m_placement.remember(outerPixels()); }

double CountdownForm::Left() const { return outerPixels().x() * panelTwipsPerPixelX(); }
double CountdownForm::Top() const { return outerPixels().y() * panelTwipsPerPixelY(); }
double CountdownForm::Width() const { return outerPixels().width() * panelTwipsPerPixelX(); }
double CountdownForm::Height() const { return outerPixels().height() * panelTwipsPerPixelY(); }

void CountdownForm::setLeft(double twips)
{
    moveOuterTo(QPoint(pixels(twips, panelTwipsPerPixelX()), outerPixels().y()));
    rememberGivenOuter();
}

void CountdownForm::setTop(double twips)
{
    moveOuterTo(QPoint(outerPixels().x(), pixels(twips, panelTwipsPerPixelY())));
    rememberGivenOuter();
}

void CountdownForm::setWidth(double twips)
{
    const QMargins frame = windowFrame();
    resize(std::max(0, pixels(twips, panelTwipsPerPixelX()) - frame.left() - frame.right()), height());
    rememberGivenOuter();
}

void CountdownForm::setHeight(double twips)
{
    const QMargins frame = windowFrame();
    resize(width(), std::max(0, pixels(twips, panelTwipsPerPixelY()) - frame.top() - frame.bottom()));
    rememberGivenOuter();
}

float CountdownForm::ScaleWidth() const { return float(width() * panelTwipsPerPixelX()); }
float CountdownForm::ScaleHeight() const { return float(height() * panelTwipsPerPixelY()); }

int16_t CountdownForm::WindowState() const
{
    const Qt::WindowStates state = QWidget::windowState();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void CountdownForm::setWindowState(int16_t state)
{
    switch (state) {
    case 0: QWidget::setWindowState(Qt::WindowNoState); break;
    case 1: QWidget::setWindowState(Qt::WindowMinimized); break;
    case 2: QWidget::setWindowState(Qt::WindowMaximized); break;
    default: throw platform::VbError(platform::vberr::InvalidPropertyValue);
    }
}

QString CountdownForm::Caption() const { return windowTitle(); }
void CountdownForm::setCaption(const QString& caption) { setWindowTitle(caption); }

void CountdownForm::popUpStartupMenu(float xTwips, float yTwips)
{
    const QPoint local(pixels(xTwips, panelTwipsPerPixelX()), pixels(yTwips, panelTwipsPerPixelY()));
    m_popMenuStartup->popup(m_c1eImage->mapToGlobal(local));
}

void CountdownForm::placeStatusBar()
{
    m_statusBar1->setGeometry(0, height() - m_statusBar1->height(), width(), m_statusBar1->height());
    m_statusBar1->raise();
}

void CountdownForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeStatusBar();
    Form_Resize();
}

bool CountdownForm::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (FramedPlacement::mayBringTheFrame(event->type()))
        m_placement.placeAgainOnceFramed(*this, windowFrame());
    return handled;
}

void CountdownForm::closeEvent(QCloseEvent* event)
{
    if (!ProgramEnd::isEnding())
        Form_Unload();
    event->accept();
}

void CountdownForm::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(vbKeyCode(event->key()), vbShiftMask(event->modifiers()));
    if (!event->text().isEmpty())
        Form_KeyPress(event->text().at(0).unicode());
    event->accept();
}

void CountdownForm::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    Form_MouseDown(vbMouseButton(event->button()), vbShiftMask(event->modifiers()),
                   float(p.x() * panelTwipsPerPixelX()), float(p.y() * panelTwipsPerPixelY()));
    event->accept();
}
