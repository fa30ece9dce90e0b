#include "display/StatusBar.h"

#include "display/ElasticPanel.h"
#include "foundation/OleDate.h"
#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kPadding = 6;   // pixels each side of a panel's text
constexpr int kMinPanel = 24; // pixels: an empty panel (the sound icon) stays clickable

// The width of a picture drawn `side` pixels high.
int pictureWidth(const QPixmap& picture, int side)
{
    return picture.height() > 0 ? picture.width() * side / picture.height() : side;
}

// Windows date pictures (d, M, y) read the same as Qt's; the time marker "tt" becomes Qt's AP,
// which also makes "h" a 12-hour figure, and the regional designators replace Qt's own.
QString clockText(StatusBarPanel::Style style)
{
    const platform::Regional& regional = platform::regional();
    const QDateTime shown = vb::fromOleDate(vb::now());
    if (style == StatusBarPanel::Style::Date)
        return shown.date().toString(regional.shortDatePattern);
    QString pattern = regional.timePattern;
    pattern.replace(QLatin1String("tt"), QLatin1String("AP"));
    QString text = QLocale::c().toString(shown.time(), pattern);
    text.replace(QLatin1String("AM"), regional.amDesignator);
    text.replace(QLatin1String("PM"), regional.pmDesignator);
    return text;
}

} // namespace

StatusBar::StatusBar(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setMouseTracking(true);
    setFixedHeight(fontMetrics().height() + 8);
    m_panels[3].style = StatusBarPanel::Style::Date;
    m_panels[4].style = StatusBarPanel::Style::Time;
    connect(&m_clock, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_clock.start(1000);
}

StatusBarPanel& StatusBar::Panel(int index)
{
    if (index < 1 || index > PanelCount)
        throw platform::VbError(platform::vberr::IndexOutOfBounds);
    return m_panels[static_cast<size_t>(index - 1)];
}

const StatusBarPanel& StatusBar::Panel(int index) const
{
    return const_cast<StatusBar*>(this)->Panel(index);
}

void StatusBar::panelChanged() { update(); }

QString StatusBar::PanelText(int index) const { return Panel(index).Text; }
void StatusBar::setPanelText(int index, const QString& text) { Panel(index).Text = text; update(); }
bool StatusBar::PanelVisible(int index) const { return Panel(index).Visible; }
void StatusBar::setPanelVisible(int index, bool visible) { Panel(index).Visible = visible; update(); }

QString StatusBar::shownText(int index) const
{
    const StatusBarPanel& panel = Panel(index);
    if (panel.style == StatusBarPanel::Style::Text)
        return panel.Text;
    return clockText(panel.style);
}

void StatusBar::setVisible(bool visible)
{
    m_visible = visible;
    QWidget::setVisible(visible);
}

int StatusBar::pictureSide() const { return std::max(8, height() - 7); }

double StatusBar::Height() const { return height() * panelTwipsPerPixelY(); }

// Panels take the width of their text; panel 6 (the address) takes what is left.
QVector<QRect> StatusBar::panelRects() const
{
    QVector<int> widths(PanelCount, 0);
    int used = 0;
    for (int i = 1; i <= PanelCount; ++i) {
        if (!Panel(i).Visible)
            continue;
        const QString text = shownText(i);
        int content = text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text);
        if (!Panel(i).Picture.isNull())
            content += pictureWidth(Panel(i).Picture, pictureSide()) + (text.isEmpty() ? 0 : kPadding);
        widths[i - 1] = std::max(kMinPanel, content + 2 * kPadding);
        used += widths[i - 1];
    }
    if (Panel(6).Visible && used < width())
        widths[5] += width() - used;
    QVector<QRect> rects(PanelCount);
    int x = 0;
    for (int i = 0; i < PanelCount; ++i) {
        rects[i] = QRect(x, 0, widths[i], height());
        x += widths[i];
    }
    return rects;
}

int StatusBar::panelAt(const QPoint& pos) const
{
    const QVector<QRect> rects = panelRects();
    for (int i = 0; i < PanelCount; ++i) {
        if (rects[i].width() > 0 && rects[i].contains(pos))
            return i + 1;
    }
    return 0;
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QVector<QRect> rects = panelRects();
    for (int i = 0; i < PanelCount; ++i) {
        if (rects[i].width() == 0)
            continue;
        const QRect cell = rects[i].adjusted(1, 2, -1, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        QRect content = cell.adjusted(kPadding - 1, 0, 0, 0);
        const QPixmap& picture = m_panels[static_cast<size_t>(i)].Picture;
        if (!picture.isNull()) {
            const int side = pictureSide();
            const QRect target(content.left(), cell.top() + (cell.height() - side) / 2,
                               pictureWidth(picture, side), side);
            painter.drawPixmap(target, picture);
            content.setLeft(target.right() + 1 + kPadding);
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(content, Qt::AlignVCenter | Qt::AlignLeft, shownText(i + 1));
    }
}

void StatusBar::mousePressEvent(QMouseEvent* event)
{
    const int index = panelAt(event->position().toPoint());
    if (index > 0 && event->button() == Qt::LeftButton)
        emit PanelClick(index, Panel(index).Key);
    event->accept();
}

void StatusBar::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(0, vbShiftMask(event->modifiers()), float(event->position().x() * panelTwipsPerPixelX()),
                   float(event->position().y() * panelTwipsPerPixelY()));
    event->accept();
}

bool StatusBar::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = panelAt(help->pos());
        const QString tip = index > 0 ? Panel(index).ToolTipText : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}
