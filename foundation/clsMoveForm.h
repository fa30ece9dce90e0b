#pragma once

#include <QString>

class QWidget;

// Places a window at the centre or an edge of the desktop work area. After Refresh, Width and
// Height hold the work area's RIGHT and BOTTOM edges in twips (not its size), Left and Top its
// left and top edges. All four are 0 until Refresh or a setter fills them.
class clsMoveForm {
public:
    void CenterForm(QWidget* form);
    void Refresh(QWidget* form);
    // The only move that records itself in LastMove.
    void BottomForm(QWidget* form);
    void TopForm(QWidget* form);
    void LeftForm(QWidget* form);
    void RightForm(QWidget* form);
    // Repeats the move named by LastMove ("top", "bottom", "left", "right", "center", exact
    // case); any other text does nothing.
    void MoveLast(QWidget* form);

    QString LastMove() const { return m_lastMove; }
    void setLastMove(const QString& move) { m_lastMove = move; }
    float Width() const { return m_width; }
    void setWidth(float twips) { m_width = twips; }
    float Height() const { return m_height; }
    void setHeight(float twips) { m_height = twips; }
    float Left() const { return m_left; }
    void setLeft(float twips) { m_left = twips; }
    float Top() const { return m_top; }
    void setTop(float twips) { m_top = twips; }

private:
    float centredLeft(const QWidget* form) const;
    float bottomTop(const QWidget* form) const;

    QString m_lastMove;
    float m_width = 0;
    float m_height = 0;
    float m_left = 0;
    float m_top = 0;
};
