#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <cstdint>

// A VB colour number: red in the low byte; with the high bit set, the low byte is a system
// colour index (5 window background, 8 window text, 15 button face, ...). System colours are
// looked up in the palette each time they are painted, so a theme change shows at once.
QColor resolveVbColor(int32_t vbColor, const QPalette& palette);
QColor resolveVbColor(int32_t vbColor); // against the application palette
int32_t vbColorFromQColor(const QColor& color);

// Twips per pixel of the screen the widgets are shown on (the Screen service when one is
// installed, else 15, the figure of a 96 DPI screen).
double panelTwipsPerPixelX();
double panelTwipsPerPixelY();

// The elastic panel: a container with a caption, a picture and a fill bar. Its geometry is kept
// in twips exactly as assigned (reads give back what was written, as the layouts need); the
// widget's edges sit at the nearest whole pixels (each edge rounded on its own, so boxes that
// touch in twips touch on screen), negative sizes shown as 0.
class ElasticPanel : public QWidget {
    Q_OBJECT
public:
    // index >= 0 makes the panel an element of the control array named `name`.
    explicit ElasticPanel(const QString& name, QWidget* parent = nullptr, int index = -1);

    int Index() const { return m_index; }

    double Top() const { return m_top; }
    double Left() const { return m_left; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setTop(double twips);
    void setLeft(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top, double width, double height);

    // The control's own Visible flag; true even before the window is first shown.
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    QString FontName() const { return m_fontName; }
    float FontSize() const { return m_fontSize; }
    bool FontBold() const { return m_fontBold; }
    bool FontItalic() const { return m_fontItalic; }
    void setFontName(const QString& name);
    void setFontSize(float points);
    void setFontBold(bool bold);
    void setFontItalic(bool italic);

    int32_t ForeColor() const { return m_foreColor; }
    int32_t BackColor() const { return m_backColor; }
    void setForeColor(int32_t vbColor);
    void setBackColor(int32_t vbColor);

    // The picture is scaled to fill the panel; a null image clears it.
    QImage Picture() const { return m_picture; }
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !m_picture.isNull(); }

    // Progress use: 0..100 % of the panel filled from the left in the fore colour.
    double FillPercent() const { return m_fillPercent; }
    void setFillPercent(double percent);

    // Off while a batch of moves is made, so the panel does not repaint or re-fit on every one.
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on);

signals:
    // VB event arguments: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt;
    // x and y in twips from the panel's top left corner.
    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeWidget();
    QFont captionFont() const;

    int m_index;
    double m_top = 0, m_left = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
    QString m_caption;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    float m_fontSize = 8.25f;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    int32_t m_foreColor = static_cast<int32_t>(0x80000012u); // button text
    int32_t m_backColor = static_cast<int32_t>(0x8000000Fu); // button face
    QImage m_picture;
    double m_fillPercent = 0;
    bool m_autoRedraw = true;
    bool m_pressed = false;
};

// VB key code and shift mask of a Qt key event.
int vbKeyCode(int qtKey);
int vbShiftMask(Qt::KeyboardModifiers modifiers);
int vbMouseButton(Qt::MouseButton button);
