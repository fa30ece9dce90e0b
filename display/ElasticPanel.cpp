#include "display/ElasticPanel.h"

#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kSystemColorBit = 0x80000000u;

// Windows system colour indexes in the order of their numbers.
QColor systemColor(int index, const QPalette& p)
{
    using R = QPalette::ColorRole;
    switch (index) {
    case 0: return p.color(R::Button);              // scroll bars
    case 1: return p.color(R::Dark);                // desktop
    case 2: return p.color(QPalette::Active, R::Highlight);   // active title
    case 3: return p.color(QPalette::Inactive, R::Highlight); // inactive title
    case 4: return p.color(R::Window);              // menu bar
    case 5: return p.color(R::Base);                // window background
    case 6: return p.color(R::Shadow);              // window frame
    case 7: return p.color(R::WindowText);          // menu text
    case 8: return p.color(R::Text);                // window text
    case 9: return p.color(QPalette::Active, R::HighlightedText); // title text
    case 10: case 11: return p.color(R::Button);    // borders
    case 12: return p.color(R::Dark);               // application workspace
    case 13: return p.color(R::Highlight);
    case 14: return p.color(R::HighlightedText);
    case 15: return p.color(R::Button);             // button face
    case 16: return p.color(R::Mid);                // button shadow
    case 17: return p.color(QPalette::Disabled, R::Text); // grey text
    case 18: return p.color(R::ButtonText);
    case 19: return p.color(QPalette::Inactive, R::HighlightedText);
    case 20: return p.color(R::Light);              // button highlight
    case 21: return p.color(R::Shadow);             // 3D dark shadow
    case 22: return p.color(R::Midlight);           // 3D light
    case 23: return p.color(R::ToolTipText);
    case 24: return p.color(R::ToolTipBase);
    default: return p.color(R::Window);
    }
}

int pixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

} // namespace

QColor resolveVbColor(int32_t vbColor, const QPalette& palette)
{
    const auto bits = static_cast<uint32_t>(vbColor);
    if (bits & kSystemColorBit)
        return systemColor(static_cast<int>(bits & 0xFFu), palette);
    return QColor(bits & 0xFFu, (bits >> 8) & 0xFFu, (bits >> 16) & 0xFFu);
}

QColor resolveVbColor(int32_t vbColor)
{
    return resolveVbColor(vbColor, QApplication::palette());
}

int32_t vbColorFromQColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

double panelTwipsPerPixelX()
{
    const auto* screen = platform::services().screen;
    const double tpp = screen ? screen->twipsPerPixelX() : 15.0;
    return tpp > 0 ? tpp : 15.0;
}

double panelTwipsPerPixelY()
{
    const auto* screen = platform::services().screen;
    const double tpp = screen ? screen->twipsPerPixelY() : 15.0;
    return tpp > 0 ? tpp : 15.0;
}

int vbKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // same codes as VB
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return qtKey < 256 ? qtKey : 0;
    }
}

int vbShiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int vbMouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

namespace {
int vbButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}
} // namespace

ElasticPanel::ElasticPanel(const QString& name, QWidget* parent, int index)
    : QWidget(parent), m_index(index)
{
    setObjectName(name);
    setMouseTracking(true); // VB raises pointer movement without a button held
    // A panel never holds the keyboard focus: keys stay with the window it lies on.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, 0, 0);
}

void ElasticPanel::placeWidget()
{
    // Each edge is rounded on its own, so a box that starts where another ends in twips also
    // starts where it ends in pixels: rounding the size apart would leave 1-pixel seams.
    const double tx = panelTwipsPerPixelX();
    const double ty = panelTwipsPerPixelY();
    const int left = pixels(m_left, tx);
    const int top = pixels(m_top, ty);
    const int right = pixels(m_left + m_width, tx);
    const int bottom = pixels(m_top + m_height, ty);
    setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void ElasticPanel::setTop(double twips) { m_top = twips; placeWidget(); }
void ElasticPanel::setLeft(double twips) { m_left = twips; placeWidget(); }
void ElasticPanel::setWidth(double twips) { m_width = twips; placeWidget(); }
void ElasticPanel::setHeight(double twips) { m_height = twips; placeWidget(); }

void ElasticPanel::Move(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    placeWidget();
}

void ElasticPanel::setVisible(bool visible)
{
    m_visible = visible;
    QWidget::setVisible(visible);
}

void ElasticPanel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void ElasticPanel::setFontName(const QString& name) { m_fontName = name; update(); }
void ElasticPanel::setFontSize(float points) { m_fontSize = points; update(); }
void ElasticPanel::setFontBold(bool bold) { m_fontBold = bold; update(); }
void ElasticPanel::setFontItalic(bool italic) { m_fontItalic = italic; update(); }
void ElasticPanel::setForeColor(int32_t vbColor) { m_foreColor = vbColor; update(); }
void ElasticPanel::setBackColor(int32_t vbColor) { m_backColor = vbColor; update(); }
void ElasticPanel::setPicture(const QImage& picture) { m_picture = picture; update(); }

void ElasticPanel::setFillPercent(double percent)
{
    m_fillPercent = std::clamp(percent, 0.0, 100.0);
    update();
}

void ElasticPanel::setAutoRedraw(bool on)
{
    m_autoRedraw = on;
    setUpdatesEnabled(on);
    if (on)
        update();
}

QFont ElasticPanel::captionFont() const
{
    QFont font(m_fontName);
    if (m_fontSize > 0)
        font.setPointSizeF(m_fontSize);
    font.setBold(m_fontBold);
    font.setItalic(m_fontItalic);
    return font;
}

void ElasticPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveVbColor(m_backColor, palette()));
    const QColor fore = resolveVbColor(m_foreColor, palette());

    if (m_fillPercent > 0) {
        QRect bar = rect();
        bar.setWidth(static_cast<int>(bar.width() * m_fillPercent / 100.0));
        painter.fillRect(bar, fore);
    }

    QString text = m_caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    painter.setFont(captionFont());
    QRect textArea = rect();
    QRect pictureArea = rect();
    if (!m_picture.isNull() && !text.isEmpty()) {
        // Caption and picture together: the text takes the band it needs at the bottom.
        const QRect needed = painter.boundingRect(rect(), Qt::AlignHCenter | Qt::TextWordWrap, text);
        const int band = std::min(needed.height() + painter.fontMetrics().height(), height() / 2);
        textArea.setTop(height() - band);
        pictureArea.setBottom(height() - band - 1);
    }
    if (!m_picture.isNull() && pictureArea.isValid()) {
        const QSize scaled = m_picture.size().scaled(pictureArea.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), scaled);
        target.moveCenter(pictureArea.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_picture);
    }
    if (!text.isEmpty()) {
        painter.setPen(fore);
        // Centred while it fits; text that overflows starts at the top, so its first words stay.
        const QRect needed = painter.boundingRect(textArea, Qt::AlignHCenter | Qt::TextWordWrap, text);
        const Qt::Alignment vertical = needed.height() > textArea.height() ? Qt::AlignTop : Qt::AlignVCenter;
        painter.drawText(textArea, Qt::AlignHCenter | vertical | Qt::TextWordWrap, text);
    }
}

void ElasticPanel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    const QPointF p = event->position();
    emit MouseDown(vbMouseButton(event->button()), vbShiftMask(event->modifiers()),
                   float(p.x() * panelTwipsPerPixelX()), float(p.y() * panelTwipsPerPixelY()));
    event->accept();
}

void ElasticPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit MouseUp(vbMouseButton(event->button()), vbShiftMask(event->modifiers()),
                 float(p.x() * panelTwipsPerPixelX()), float(p.y() * panelTwipsPerPixelY()));
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(p.toPoint());
    m_pressed = false;
    if (click)
        emit Click();
    event->accept();
}

void ElasticPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit DblClick();
    event->accept();
}

void ElasticPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit MouseMove(vbButtons(event->buttons()), vbShiftMask(event->modifiers()),
                   float(p.x() * panelTwipsPerPixelX()), float(p.y() * panelTwipsPerPixelY()));
    event->accept();
}

void ElasticPanel::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(vbKeyCode(event->key()), vbShiftMask(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    // The key goes on to the widgets below, as far as the window.
    event->ignore();
}
