#pragma once

#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>

// One panel of the status bar. Panels with a clock style show the date or time themselves.
// A panel's picture is drawn before its text.
struct StatusBarPanel {
    enum class Style { Text, Date, Time };
    QString Text;
    QPixmap Picture;
    QString Key;
    QString ToolTipText;
    bool Visible = true;
    Style style = Style::Text;
};

// A status bar of seven keyed panels (index 1 to 7), painted as a strip along its container's
// bottom edge. Height() is in twips.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelCount = 7;

    explicit StatusBar(const QString& name, QWidget* parent = nullptr);

    // Raises VbError 35600 "Index out of bounds" outside 1..7.
    StatusBarPanel& Panel(int index);
    const StatusBarPanel& Panel(int index) const;
    // Apply a change made through Panel() to the screen.
    void panelChanged();

    QString PanelText(int index) const;
    void setPanelText(int index, const QString& text);
    bool PanelVisible(int index) const;
    void setPanelVisible(int index, bool visible);

    // The text a panel shows now (the current date or time for clock panels).
    QString shownText(int index) const;
    // The panel at a point of the widget, 0 when none.
    int panelAt(const QPoint& pos) const;

    // The side in pixels of a picture that fits a panel.
    int pictureSide() const;

    bool Visible() const { return m_visible; }
    void setVisible(bool visible) override;
    double Height() const;

signals:
    void PanelClick(int index, const QString& key);
    void MouseMove(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QVector<QRect> panelRects() const;

    std::array<StatusBarPanel, PanelCount> m_panels;
    bool m_visible = true;
    QTimer m_clock;
};
