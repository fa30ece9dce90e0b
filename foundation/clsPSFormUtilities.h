#pragma once

class QWidget;

// Keeps a window above all others, or lets it go, without moving or resizing it.
class clsPSFormUtilities {
public:
    void SetTopMost(QWidget* form);
    void UnSetTopMost(QWidget* form);
};
