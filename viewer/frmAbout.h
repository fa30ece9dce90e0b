#pragma once

#include "display/FramedPlacement.h"

#include <QDialog>
#include <QMargins>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box: version, build date, the maker's contact details; keeps its position.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Builds an about box, runs it modally and returns when it is closed.
    static void ShowModal(QWidget* parent = nullptr);

    // The element `index` of the button array "Command1"; nullptr when there is none.
    QPushButton* button(int index) const;

    void Command1_Click(int index);
    void Command2_Click();
    void lblTechnicalSupport_Click();

    // The maker's details the box shows.
    static const QString kSupportAddress;
    static const QString kTrademark;
    static const QString kLegalNotice;
    static const QStringList kMailingAddress;

    // The text of the build date line for a build date (days since 30 December 1899).
    static QString compileDateLine(double date);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    // The widths of the window's frame in pixels as the window system reports them now; zero
    // until a window manager has framed the box.
    virtual QMargins windowFrame() const;
    // The frame a window manager is expected to give the box: that of the window it opens over
    // (its parent, else the active window); zero when there is none or it has no frame.
    virtual QMargins expectedFrame() const;

private:
    void Form_Load();
    void Form_Unload();
    void fitInsideTheFrameToCome();

    QLabel* m_lblSoftwareName = nullptr;
    QLabel* m_lblCompileDate = nullptr;
    QLabel* m_lblTechnicalSupport = nullptr;
    QLabel* m_lblTrademark = nullptr;
    QPlainTextEdit* m_txtMailingAddress = nullptr;

    bool m_restored = false;
    FramedPlacement m_placement;
    bool m_unloaded = false;
};
