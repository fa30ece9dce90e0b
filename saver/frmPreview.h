#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

// The screen saver's picture for a preview area: a still image of a countdown window, drawn
// over the whole window. It shows no live countdown.
class frmPreview : public QWidget {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);

    QLabel* Image1() const { return m_image1; }

    // The fixed picture, 166 x 130 pixels in 24-bit colour.
    static QImage PreviewPicture();

    void Form_Load() {}

private:
    QLabel* m_image1 = nullptr;
};
